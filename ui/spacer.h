#pragma once

#include <QWidget>

// An empty widget that takes all the free space of its layout.
class Spacer : public QWidget
{
    Q_OBJECT

public:
    explicit Spacer(QWidget *parent = nullptr);
};
