#pragma once

#include <QLocale>

// Installs the toolkit's and the program's translators, both empty; done
// before any language is applied.
void installTranslators();

// Loads the translations of the locale's language (English empties them;
// a language without translations leaves them as they are) and makes the
// locale the process default.
void applyLanguage(const QLocale &locale);
