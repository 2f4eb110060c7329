#include "promotionpanel.h"

#include "clickablelabel.h"
#include "maker/makerservices.h"

#include <QPixmap>

namespace {

constexpr int firstTop = 55;
constexpr int entryHeight = 80;

void addImage(QWidget *panel, const MakerServices::PromotedProduct &product, int top)
{
    auto *image = new ClickableLabel(panel);
    image->setFixedSize(85, 67);
    image->setUrl(QLatin1String(product.url));
    image->setPixmap(QPixmap(QLatin1String(product.image)));
    image->setScaledContents(true);
    image->move(14, top);
    image->show();
}

void addTitle(QWidget *panel, const MakerServices::PromotedProduct &product, int top)
{
    auto *title = new ClickableLabel(panel);
    title->setUrl(QLatin1String(product.url));
    title->setText(QStringLiteral("<a href=\"#\" style=\"color: #fbcb31; font-weight: bold;\">%1</a>")
                       .arg(QLatin1String(product.title)));
    title->adjustSize();
    title->move(82, top + 2);
    title->show();
}

} // namespace

void addPromotedProducts(QWidget *panel)
{
    int top = firstTop;
    for (const MakerServices::PromotedProduct &product : MakerServices::promotedProducts) {
        addImage(panel, product, top);
        addTitle(panel, product, top);
        top += entryHeight;
    }
}
