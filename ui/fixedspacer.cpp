#include "fixedspacer.h"

FixedSpacer::FixedSpacer(QWidget *parent) : QWidget(parent)
{
    setMinimumWidth(5);
    setMaximumWidth(5);
}
