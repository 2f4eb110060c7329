#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// What a crash report is made of, by item name.
struct CrashReportItem
{
    enum Kind {
        CustomField = 0, // written into the XML report only
        FormField = 1,   // a text sent as a form field
        KeptFile = 2,    // a file, sent and kept
        SentFile = 3,    // a file, sent and then deleted
    };

    QByteArray value; // the text in UTF-8, or for a file its path in UTF-8
    int kind = CustomField;
    bool included = true;

    bool isFile() const { return kind == KeptFile || kind == SentFile; }
    QString filePath() const { return QString::fromUtf8(value); }
};

using CrashReportItems = QHash<QString, CrashReportItem>;
