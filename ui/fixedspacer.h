#pragma once

#include <QWidget>

// An empty widget exactly five pixels wide.
class FixedSpacer : public QWidget
{
    Q_OBJECT

public:
    explicit FixedSpacer(QWidget *parent = nullptr);
};
