#pragma once

#include <QString>

// What the mail windows need of the main window.
class MailHost
{
public:
    virtual ~MailHost() = default;

    // Copies the saved e-mail settings into the program's settings globals.
    virtual void Get_Email_Details() = 0;
    virtual QString applicationName() const = 0;
};
