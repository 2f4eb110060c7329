#pragma once

class QWidget;

// Fills the side panel with the maker's other products: for each an image
// and a yellow title, both opening the product's page when clicked.
void addPromotedProducts(QWidget *panel);
