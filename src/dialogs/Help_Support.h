#pragma once

#include <QDialog>

class QPushButton;
class ShareLinksHost;

// Help and support: the user guide, the support mailbox, the web site, the partner
// enquiries and the share pages.
class Help_Support : public QDialog
{
    Q_OBJECT

public:
    explicit Help_Support(ShareLinksHost& host, QWidget* parent = nullptr);

    void HelpFilePressed();

    QPushButton *support_id, *support_id_2, *website_1, *reseller_1, *reseller_2, *_Help_File_Label;

private:
    ShareLinksHost& host_;
};
