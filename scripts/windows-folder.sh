#!/usr/bin/env bash
# Lays out the portable program folder of the Windows build:
#   windows-folder.sh <build bin folder> <Qt prefix> <folder to make>
# The programs, 24bit.hed and VELSNAP.HLP, every DLL and plugin they load on
# a bare Windows, Qt's Japanese texts and the bundled Japanese font, all
# stripped of their symbols.
set -euo pipefail
bin=$1 qt=$2 folder=$3
rm -rf "$folder"
mkdir -p "$folder"/{platforms,styles,imageformats,translations,fonts}
cp "$bin"/velsnap.exe "$bin"/velsnap-capture.exe "$bin"/velsnap-ports.exe "$bin"/velsnap-help.exe \
    "$bin"/24bit.hed "$bin"/VELSNAP.HLP "$folder"/
cp "$qt"/bin/Qt6Core.dll "$qt"/bin/Qt6Gui.dll "$qt"/bin/Qt6Widgets.dll "$folder"/
cp "$qt"/plugins/platforms/qwindows.dll "$folder"/platforms/
cp "$qt"/plugins/styles/*.dll "$folder"/styles/
cp "$qt"/plugins/imageformats/*.dll "$folder"/imageformats/
gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
cp "$gcc"/libstdc++-6.dll "$gcc"/libgcc_s_seh-1.dll "$folder"/
cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)" "$folder"/
cp /usr/share/qt6/translations/qtbase_ja.qm "$folder"/translations/
# IPAPGothic is the family the window and the tools ask for.
cp /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf "$folder"/fonts/
cp /usr/share/doc/fonts-ipafont-gothic/copyright "$folder"/fonts/IPA_Font_License.txt
find "$folder" \( -iname '*.exe' -o -iname '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
# Qt finds its plugins and translations beside the program, not where it was built.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$folder"/qt.conf

# Nothing may be missing on a bare Windows: every DLL a file names is
# shipped or part of Windows.
shipped=$(find "$folder" -iname '*.dll' -printf '%f\n' | tr 'A-Z' 'a-z')
missing=$(find "$folder" \( -iname '*.exe' -o -iname '*.dll' \) -exec x86_64-w64-mingw32-objdump -p {} + |
    sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u |
    grep -vxF "$shipped" | grep -vE '^(api-ms-win-|ext-ms-)' |
    grep -vxE '(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|ws2_32|winmm|imm32|uxtheme|dwmapi|shlwapi|version|netapi32|userenv|setupapi|cfgmgr32|msvcrt|ntdll|rpcrt4|mpr|authz|d3d9|d3d11|d3d12|dxgi|dcomp|d2d1|dwrite|wtsapi32|shcore|secur32|crypt32|bcrypt|winspool\.drv|opengl32|dxguid|uiautomationcore)\.dll' || true)
if [ -n "$missing" ]; then
    echo "windows-folder.sh: not shipped: $missing" >&2
    exit 1
fi
