#pragma once

// Where the maker's web presence lives: the one place to change when its
// addresses change.
namespace MakerServices {

inline constexpr char webSite[] = "https://www.ostrane.com/";

// The other products shown in the window's side panel, in display order.
struct PromotedProduct
{
    const char *title;
    const char *url;
    const char *image;
};

inline constexpr PromotedProduct promotedProducts[] = {
    {"Nestina", "https://www.ostrane.com/nestina/", ":/Travina/Resources/product2.png"},
    {"Vectorina", "https://www.ostrane.com/vectorina/", ":/Travina/Resources/product1.png"},
};

} // namespace MakerServices
