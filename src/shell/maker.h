// Who makes ORV and where the user reaches them: the help window's maker menu,
// the about panel and the phone book's footer read these.
#pragma once

#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include "core/makerinfo.h"

namespace orv {

inline QUrl MakerWebPageUrl() { return QUrl(QString::fromLatin1(kMakerWebPage)); }

// "mailto:" and the support address; with a subject, "?subject=" and the
// subject percent-encoded, so that blanks survive the hand-over to the mail program.
inline QUrl SupportMailUrl(const QString& subject = QString())
{
    QUrl url(QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress));
    if (!subject.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), subject);
        url.setQuery(query);
    }
    return url;
}

}  // namespace orv
