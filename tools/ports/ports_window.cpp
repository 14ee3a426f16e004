#include "ports_window.h"

#include "column_fit.h"
#include "serial/port_settings.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velsnap {

namespace {

enum Column { PortColumn, DeviceColumn, SourceColumn, StateColumn, DescriptionColumn, MakerColumn, SerialColumn };

// Item data of a device list: the path to store; empty for automatic.
constexpr int kTypePathRole = Qt::UserRole + 1;

// Wide enough for long by-id names, descriptions and serial numbers.
constexpr QSize kWishedSize(1120, 380);

} // namespace

PortsWindow::PortsWindow(PortFinder finder, QWidget *parent) : QWidget(parent), m_finder(std::move(finder))
{
    setWindowTitle(QStringLiteral("VELSNAP シリアルポートの割り当て"));
    auto *intro = new QLabel(QStringLiteral("COM 1 から COM 8 が使うデバイスです。一覧から選ぶとすぐに記録され、"
                                            "次の受信から使われます。\n設定ファイル: %1")
                                 .arg(m_settings.fileName()));
    intro->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table = new QTableWidget(kPortCount, SerialColumn + 1);
    m_table->setHorizontalHeaderLabels({QStringLiteral("ポート"), QStringLiteral("デバイス"), QStringLiteral("決め方"),
                                        QStringLiteral("状態"), QStringLiteral("説明"), QStringLiteral("メーカー"),
                                        QStringLiteral("シリアル番号")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto *again = new QPushButton(QStringLiteral("もう一度探す(&R)"));
    auto *close = new QPushButton(QStringLiteral("閉じる(&C)"));
    connect(again, &QPushButton::clicked, this, &PortsWindow::refresh);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(again);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_table);
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
}

QComboBox *PortsWindow::deviceChoices(const PortRow &row, const PortMapping &mapping)
{
    auto *choices = new QComboBox;
    choices->addItem(QStringLiteral("自動: %1").arg(deviceForPort(row.port, {}, m_found)), QString());
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
    choices->addItem(QStringLiteral("パスを入力…"));
    choices->setItemData(choices->count() - 1, true, kTypePathRole);
    const auto mapped = mapping.find(row.port);
    choices->setToolTip(mapped == mapping.end()
                            ? QStringLiteral("自動で決まります")
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
        device = QInputDialog::getText(this, windowTitle(), QStringLiteral("COM %1 のデバイスのパス:").arg(port),
                                       QLineEdit::Normal, QStringLiteral("/dev/serial/by-id/"), &ok);
        if (!ok || device.trimmed().isEmpty()) {
            refresh(); // back to what is stored
            return;
        }
    }
    storePortChoice(m_settings, port, device);
    refresh();
}

} // namespace velsnap
