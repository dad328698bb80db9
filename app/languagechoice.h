#pragma once

#include <QObject>
#include <QString>
#include <QVector>

class QComboBox;
class QLabel;

// The languages the installer ships and the player's choice among them. The choice is kept as
// the preference "current_language" and takes effect at the next start, when the translations
// are loaded; until then the page says so.
class LanguageChoice : public QObject
{
    Q_OBJECT

public:
    struct Language
    {
        QString code; // the preference value and the name of its languages/<code>.qm
        QString name; // in the language itself, the way its readers look for it
    };
    // English first, then German, French, Spanish and Brazilian Portuguese.
    static const QVector<Language> &languages();

    // Fills `box` with the languages, the running one chosen, and keeps each choice; `note`
    // says when it applies. The choice lives as long as the box.
    static void attach(QComboBox *box, QLabel *note);

    // The running language is the preference as it stands now, which start-up has loaded.
    explicit LanguageChoice(QObject *parent = nullptr);

    // The position in languages() of the running language; English's for a code not shipped.
    int currentIndex() const;
    // Keeps the language at `index` as the preference and returns what the page should say:
    // that it applies at the next start (in that language when its texts are there), or
    // nothing when it is the running language. An index outside the list changes nothing.
    QString choose(int index);

private:
    QString running;
};
