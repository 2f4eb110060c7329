#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

struct ProductEntry
{
    QString imagePath; // below the site's "/about/"
    QString link;      // opened when the image is clicked
};

// The lines of the maker's product list that hold exactly two ";"-separated
// fields (image path, link), each trimmed, in list order; at most
// maximumProducts of them.
QVector<ProductEntry> parseProductList(const QByteArray &body);

inline constexpr int maximumProducts = 32;
