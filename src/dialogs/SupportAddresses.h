#pragma once

#include <QString>

// The addresses the help, review and promotion windows open.
namespace SupportAddresses {
inline const QString supportMail = QStringLiteral("mailto:support@example.com");
inline const QString salesMail = QStringLiteral("mailto:sales@example.com");
inline const QString partnerMail = QStringLiteral("mailto:partners@example.com");
inline const QString website = QStringLiteral("https://www.example.com/galavite");
inline const QString reviewPage = QStringLiteral("https://www.example.com/galavite/review");
inline const QString videoChannel = QStringLiteral("https://www.example.com/galavite/videos");
} // namespace SupportAddresses
