#include "languagechoice.h"

#include "apppaths.h"

#include <QComboBox>
#include <QLabel>
#include <QTranslator>

namespace {

const char noteSource[] = QT_TRANSLATE_NOOP("LanguageChoice", "Applies at the next start.");

} // namespace

const QVector<LanguageChoice::Language> &LanguageChoice::languages()
{
    // Never translated: a player looks for their own language's name.
    static const QVector<Language> shipped{
        {QStringLiteral("en"), QStringLiteral("English")},
        {QStringLiteral("de"), QStringLiteral("Deutsch")},
        {QStringLiteral("fr"), QStringLiteral("Français")},
        {QStringLiteral("es"), QStringLiteral("Español")},
        {QStringLiteral("pt"), QStringLiteral("Português (Brasil)")},
    };
    return shipped;
}

void LanguageChoice::attach(QComboBox *box, QLabel *note)
{
    auto *choice = new LanguageChoice(box);
    for (const Language &language : languages())
        box->addItem(language.name, language.code);
    box->setCurrentIndex(choice->currentIndex());
    connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), choice,
            [choice, note](int index) { note->setText(choice->choose(index)); });
}

LanguageChoice::LanguageChoice(QObject *parent)
    : QObject(parent), running(AppPaths::currentLanguage())
{}

int LanguageChoice::currentIndex() const
{
    const QVector<Language> &all = languages();
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i).code == running)
            return i;
    }
    return 0;
}

QString LanguageChoice::choose(int index)
{
    if (index < 0 || index >= languages().size())
        return {};
    const QString code = languages().at(index).code;
    AppPaths::setCurrentLanguage(code);
    if (code == running)
        return {};
    if (code == QLatin1String("en"))
        return QString::fromUtf8(noteSource);
    // Said in the language chosen, which its player reads best; else in the running one.
    QTranslator chosen;
    if (chosen.load(AppPaths::languageFile(code))) {
        const QString said = chosen.translate("LanguageChoice", noteSource);
        if (!said.isEmpty())
            return said;
    }
    return tr(noteSource);
}
