#pragma once

#include "makerservicesaddress.h"

#include <QString>
#include <QUrl>

// Where the maker's web presence lives: the one place to change when its
// addresses change.
namespace MakerServices {

// Scheme and host of every service and page, without a trailing slash:
// "https://" and the host chosen when building (TRAVINA_MAKER_HOST), or a
// loopback address in test builds.
inline constexpr char address[] = TRAVINA_MAKER_ADDRESS;

inline constexpr char webSite[] = TRAVINA_MAKER_ADDRESS "/";
inline constexpr char productPage[] = TRAVINA_MAKER_ADDRESS "/travina/";

// The other products shown in the window's side panel, in display order.
struct PromotedProduct
{
    const char *title;
    const char *url;
    const char *image;
};

inline constexpr PromotedProduct promotedProducts[] = {
    {"Nestina", TRAVINA_MAKER_ADDRESS "/nestina/", ":/Travina/Resources/product2.png"},
    {"Vectorina", TRAVINA_MAKER_ADDRESS "/vectorina/", ":/Travina/Resources/product1.png"},
};

// The name the services know this program by.
inline constexpr char applicationName[] = "Travina";

// Request paths on `address`. The update list is a POST to updatePath +
// applicationName + "/", one program file a POST to that + its name.
inline constexpr char updatePath[] = "/update/";
inline constexpr char crashPath[] = "/crash";
// A GET of productListPath + applicationName; each image a GET of
// productImagePath + its path from the list.
inline constexpr char productListPath[] = "/about/products.txt?app=";
inline constexpr char productImagePath[] = "/about/";

// A host under the reserved domain "invalid" cannot exist: a build left
// with it has no services, and asking for one would only send a name lookup
// out for nothing.
inline bool isReachable(const QUrl &serviceAddress)
{
    const QString host = serviceAddress.host();
    return !host.isEmpty() && host != QLatin1String("invalid") && !host.endsWith(QLatin1String(".invalid"));
}

} // namespace MakerServices
