#pragma once

#include <QDialog>
#include <QHash>
#include <QPixmap>

class QLabel;
class QPushButton;

// Presents one of the program's sibling products, chosen by a one-letter code ("S", "R",
// "B"), with links to write, ask and order.
class Promotion_Form : public QDialog
{
    Q_OBJECT

public:
    explicit Promotion_Form(const QString& appName, QWidget* parent = nullptr);
    ~Promotion_Form() override;
    static Promotion_Form* defaultInstance();

    // "mailto:" with the mailbox, subject and body; trimmed, each line break written as two
    // encoded line breaks and each space as "%20", nothing else escaped.
    static QString mailLink(const QString& mailbox, const QString& subject, const QString& body);

    // Shows the product of software_type (another code keeps what was shown) and runs the
    // window modally.
    int Open_Promotion_Window();
    void OK_Clicked();
    void Mail_Clicked();
    void Contact_us_Clicked();
    void Order_Clicked();
    void youtube_Clicked();

    // The links of the current code; "" for an unknown code.
    QString mailAddress() const;
    QString contactAddress() const;
    QString orderAddress() const;

    QString software_type;
    QLabel *Software_title, *short_descp, *long_descp, *bundle_image;
    QPushButton *support_id, *website_1;

private:
    struct Product
    {
        QPixmap picture;
        QString title, shortText, longText, mail, contact, order;
    };
    QHash<QString, Product> products_;
};
