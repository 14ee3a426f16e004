#pragma once

#include "port_rows.h"
#include "settings/settings_store.h"

#include <QWidget>
#include <functional>

class QApplication;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace velsnap {

// COM 1 to COM 8 with the device each means now; a choice in a row's list
// goes to group "Ports" of the settings file at once.
class PortsWindow : public QWidget {
public:
    using PortFinder = std::function<std::vector<FoundPort>()>;
    explicit PortsWindow(PortFinder finder, QWidget *parent = nullptr);

    QTableWidget *table() const { return m_table; }
    void refresh(); // looks for the ports again and rereads the settings

protected:
    bool eventFilter(QObject *watched, QEvent *event) override; // the table's width

private:
    void fitColumns();
    QComboBox *deviceChoices(const PortRow &row, const PortMapping &mapping);
    void choose(int port, QComboBox *choices, int index);
    void diagnose(int port); // the doctor's report for COM `port` below the table

    PortFinder m_finder;
    std::vector<FoundPort> m_found;
    SettingsStore m_settings;
    QTableWidget *m_table = nullptr;
    std::vector<int> m_wantedWidths; // of each column, for its contents
    QPlainTextEdit *m_diagnosis = nullptr;
};

// The window's application in Japanese: its font, and Qt's own texts (the
// buttons of the path dialog).
void speakJapanese(QApplication &application);

} // namespace velsnap
