#pragma once

#include <QStringView>

// What an element's "display" and "visibility" say, from its presentation
// attributes or, ahead of them, its "style" declarations.
struct ElementVisibility
{
    enum Visibility { Inherited, Visible, Hidden, Collapsed };

    bool displayNone = false;
    Visibility visibility = Inherited;

    void readDisplay(QStringView value);
    void readVisibility(QStringView value);
    // Reads the declarations of a "style" attribute that concern showing.
    void readStyle(QStringView style);

private:
    void readDeclaration(QStringView property, QStringView value);
};
