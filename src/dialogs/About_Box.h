#pragma once

#include <QDialog>

// The program's name, version and licence.
class About_Box : public QDialog
{
    Q_OBJECT

public:
    explicit About_Box(QWidget* parent = nullptr);
    static QString versionText();
};
