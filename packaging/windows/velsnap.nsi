; The VELSNAP installer: per machine into Program Files, a Start-menu entry,
; an entry in Add/Remove Programs with an uninstaller. /S installs and
; uninstalls silently. The uninstaller removes exactly the files it
; installed, so pictures (bmp\) and settings (the registry) stay.
; makensis -DVERSION=... -DOUTFILE=... -DICON=... -DFILES=... -DUNFILES=...
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VELSNAP"

Name "VELSNAP ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\VELSNAP"
Icon "${ICON}"
UninstallIcon "${ICON}"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Japanese.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    SetShellVarContext all
    SetRegView 64
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\VELSNAP.lnk" "$INSTDIR\velsnap.exe" "" "$INSTDIR\velsnap.exe" 0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "VELSNAP"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velmora"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velsnap.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\VELSNAP.lnk"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
