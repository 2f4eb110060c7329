#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

// How the details dialog shows a report file.
struct ReportItemPreview
{
    QString text;
    bool richText = false;
};

// By the file's suffix: an image, coloured XML, plain text, or else (the
// minidump) a hexadecimal view of its first 512000 bytes.
ReportItemPreview previewOfFile(const QString &path);

// XML escaped and coloured for a rich-text view.
QString colouredXml(const QString &xml);

// "0000  4d 44 4d 50 ...  |MDMP....|", sixteen bytes a line.
QString hexView(const QByteArray &bytes);

// "1.50 KB": two decimals in the locale, units up to YB.
QString readableFileSize(qint64 size, const QLocale &locale = QLocale());
