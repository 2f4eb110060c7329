#include "productlist.h"

#include <QStringList>

QVector<ProductEntry> parseProductList(const QByteArray &body)
{
    QVector<ProductEntry> entries;
    const QStringList lines = QString::fromUtf8(body).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(';'));
        if (fields.size() == 2 && entries.size() < maximumProducts)
            entries.append(ProductEntry{fields.at(0).trimmed(), fields.at(1).trimmed()});
    }
    return entries;
}
