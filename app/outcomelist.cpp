#include "outcomelist.h"

#include "installbatch.h"
#include "wording.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QStringList>

namespace OutcomeList {

void show(QListWidget *list, const InstallBatch &batch)
{
    list->clear();
    for (int position = 0; position < batch.packages().size(); ++position) {
        const QString line = batch.outcomeLine(position, Wording::Player);
        auto *item = new QListWidgetItem(line, list);
        item->setToolTip(line);
    }
}

void copy(const QListWidget *list)
{
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

} // namespace OutcomeList
