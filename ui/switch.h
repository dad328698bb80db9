#pragma once

#include <QAbstractButton>
#include <QBrush>

class QPropertyAnimation;

namespace TsUI {

// An animated on/off toggle: a rounded track with a round thumb that slides from end to end.
// Its on state is its own (the button's checked state is not used) and changes only when the
// left button is released over it.
class Switch : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(int offset READ offset WRITE setOffset)
    Q_PROPERTY(QBrush brush READ brush WRITE setBrush)

public:
    explicit Switch(QWidget *parent = nullptr);
    explicit Switch(const QBrush &brush, QWidget *parent = nullptr);

    QSize sizeHint() const override;

    int offset() const { return thumbX; }
    void setOffset(int offset);
    QBrush brush() const { return onBrush; }
    void setBrush(const QBrush &brush) { onBrush = brush; }

    bool isOn() const { return on; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;

private:
    bool on = false;
    int thumbX;
    int thumbY;
    int trackHeight = 16;
    int trackMargin = 3;
    QBrush thumb;
    QBrush onBrush;
    QPropertyAnimation *animation;
};

} // namespace TsUI
