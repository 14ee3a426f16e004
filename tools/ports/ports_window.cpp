#include "ports_window.h"

#include "column_fit.h"
#include "japanese_font.h"
#include "port_check.h"
#include "ports_texts.h"
#include "serial/port_settings.h"
#include "system/qt_japanese.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velsnap {

namespace {

using namespace ports_texts;

enum Column { PortColumn, DeviceColumn, SourceColumn, StateColumn, DescriptionColumn, MakerColumn, SerialColumn };

// Item data of a device list: the path to store; empty for automatic.
constexpr int kTypePathRole = Qt::UserRole + 1;

// Wide enough for long by-id names, descriptions and serial numbers.
constexpr QSize kWishedSize(1120, 560);

} // namespace

PortsWindow::PortsWindow(PortFinder finder, QWidget *parent) : QWidget(parent), m_finder(std::move(finder))
{
    setWindowTitle(kWindowTitle);
    auto *intro = new QLabel(kIntro.arg(m_settings.fileName()));
    intro->setTextInteractionFlags(Qt::TextSelectableByMouse);
    intro->setWordWrap(true); // a narrow screen wraps it rather than widening the window

    m_table = new QTableWidget(kPortCount, SerialColumn + 1);
    m_table->setHorizontalHeaderLabels(kColumns);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_diagnosis = new QPlainTextEdit;
    m_diagnosis->setObjectName(QStringLiteral("diagnosis"));
    m_diagnosis->setReadOnly(true); // selectable: the udev rule is there to copy
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int line) { diagnose(line + 1); });
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto *again = new QPushButton(kSearchAgain);
    auto *close = new QPushButton(kClose);
    connect(again, &QPushButton::clicked, this, &PortsWindow::refresh);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(again);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_table, 3);
    layout->addWidget(m_diagnosis, 2);
    layout->addLayout(buttons);
    refresh();
    // No wider than the screen, with room for the window manager's frame;
    // the columns then share what there is, whenever the table's width changes.
    m_table->viewport()->installEventFilter(this);
    const int room = screen()->availableGeometry().width() * 95 / 100;
    resize(std::min(kWishedSize.width(), room), kWishedSize.height());
}

bool PortsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QWidget::eventFilter(watched, event);
}

void PortsWindow::fitColumns()
{
    const std::vector<int> widths = fittedWidths(m_wantedWidths, m_table->viewport()->width());
    for (int column = 0; column < int(widths.size()); ++column)
        m_table->setColumnWidth(column, widths[column]);
}

void speakJapanese(QApplication &application)
{
    preferJapaneseFont(application);
    installQtJapanese(application);
}

void PortsWindow::refresh()
{
    m_found = m_finder();
    const PortMapping mapping = readPortMapping(m_settings);
    const std::vector<PortRow> rows = portRows(mapping, m_found);
    for (const PortRow &row : rows) {
        const int line = row.port - 1;
        const QStringList texts{QStringLiteral("COM %1").arg(row.port),
                                QString(),
                                sourceText(row.assignment.source),
                                stateText(row),
                                row.info.description,
                                row.info.manufacturer,
                                row.info.serialNumber};
        for (int column = 0; column < texts.size(); ++column)
            m_table->setItem(line, column, new QTableWidgetItem(texts.at(column)));
        m_table->setCellWidget(line, DeviceColumn, deviceChoices(row, mapping));
    }
    m_table->resizeColumnsToContents();
    m_wantedWidths.clear();
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_wantedWidths.push_back(m_table->columnWidth(column));
    fitColumns();
    diagnose(std::max(1, m_table->currentRow() + 1));
}

void PortsWindow::diagnose(int port)
{
    if (port < 1 || port > kPortCount)
        return;
    m_diagnosis->setPlainText(portReport(port, deviceForPort(port, readPortMapping(m_settings), m_found)).text);
}

QComboBox *PortsWindow::deviceChoices(const PortRow &row, const PortMapping &mapping)
{
    auto *choices = new QComboBox;
    choices->addItem(kAutomatic.arg(deviceForPort(row.port, {}, m_found)), QString());
    for (const FoundPort &port : numberedPorts(m_found)) {
        choices->addItem(port.preferredPath(), port.preferredPath());
        choices->setItemData(choices->count() - 1, port.description, Qt::ToolTipRole);
    }
    if (row.assignment.source == PortSource::Mapped) {
        int index = choices->findData(row.assignment.device);
        if (index < 0) {
            choices->addItem(row.assignment.device, row.assignment.device);
            index = choices->count() - 1;
        }
        choices->setCurrentIndex(index);
    }
    choices->addItem(kTypePath);
    choices->setItemData(choices->count() - 1, true, kTypePathRole);
    const auto mapped = mapping.find(row.port);
    choices->setToolTip(mapped == mapping.end()
                            ? kChosenAutomatically
                            : QStringLiteral("COM%1=%2").arg(QString::number(row.port), mapped->second));
    connect(choices, &QComboBox::activated, this,
            [this, port = row.port, choices](int index) { choose(port, choices, index); });
    return choices;
}

void PortsWindow::choose(int port, QComboBox *choices, int index)
{
    QString device = choices->itemData(index).toString();
    if (choices->itemData(index, kTypePathRole).toBool()) {
        bool ok = false;
        device = QInputDialog::getText(this, windowTitle(), kPathPrompt.arg(port), QLineEdit::Normal,
                                       QStringLiteral("/dev/serial/by-id/"), &ok);
        if (!ok || device.trimmed().isEmpty()) {
            refresh(); // back to what is stored
            return;
        }
    }
    if (const QString error = storePortChoice(m_settings, port, device); !error.isEmpty())
        QMessageBox::warning(this, windowTitle(), kChoiceNotStored.arg(m_settings.fileName(), error));
    refresh();
}

} // namespace velsnap
