#pragma once

#include "LocalSmtpServer.h"

#include "mailing/MailRun.h"

#include <QColor>
#include <QImage>

// A job of the given mode that mails an invitation through the local server.
inline MailJob localServerMailJob(const LocalSmtpServer& server, MailJob::Mode mode)
{
    MailJob job;
    job.mode = mode;
    job.subject = QStringLiteral("Invitation");
    job.body = QStringLiteral("Welcome!");
    job.sender = QStringLiteral("host@example.com");
    job.password = QStringLiteral("secret");
    job.server = QStringLiteral("127.0.0.1");
    job.port = server.port();
    job.securityFlag = QStringLiteral("N");
    return job;
}

// A plastic card at 300 dpi, a colour of its own for each row and side.
inline QImage benchCard(int row, bool back)
{
    QImage image(1011, 638, QImage::Format_ARGB32);
    image.fill(QColor(back ? 200 : 30, row % 256, 120));
    return image;
}
