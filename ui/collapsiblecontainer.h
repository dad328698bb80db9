#pragma once

#include <QFrame>
#include <QGridLayout>
#include <QParallelAnimationGroup>
#include <QScrollArea>
#include <QToolButton>
#include <QWidget>

namespace TsUI {

// A titled section whose body slides open and shut when its header is clicked.
class CollapsibleContainer : public QWidget
{
    Q_OBJECT

public:
    CollapsibleContainer(const QString &title, int animationDuration, QWidget *parent = nullptr);

    // Gives the body its content; the body takes ownership of `contentLayout`. The open and
    // closed heights are fixed from the content's size at this moment.
    void setContentLayout(QLayout &contentLayout);

private:
    void toggle(bool checked);

    QGridLayout mainLayout;
    QToolButton toggleButton;
    QFrame headerLine;
    QParallelAnimationGroup toggleAnimation;
    QScrollArea contentArea;
    int animationDuration;
};

} // namespace TsUI
