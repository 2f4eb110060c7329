#pragma once

#include <QDialog>
#include <QUrl>

#include <memory>

namespace Ui {
class About;
}

// The product name and version, the maker and its sites, and, a moment after
// opening, a panel that slides open with the maker's other products as
// fetched from its site.
class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);
    // For a service other than the built-in one.
    explicit About(const QUrl &serviceAddress, QWidget *parent = nullptr);
    ~About() override;

    // "1.63": fixed-point with five decimals, trailing zeros dropped.
    static QString versionText(double version);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void loadProductInfo();

private:
    void addProduct(const QImage &image, const QString &link);
    void openProductsPanel();

    std::unique_ptr<Ui::About> ui;
    QUrl serviceAddress;
    bool productsRequested = false;
};
