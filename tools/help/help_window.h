#pragma once

#include <QDialog>

// Shows one help document as read-only rich text with a Close button.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(const QString &html, QWidget *parent = nullptr);
};
