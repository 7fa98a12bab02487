#pragma once

#include <QString>
#include <QStringBuilder>

struct PageProject;

// Appends one piece as a new line: page + "\r\n" + piece. Any string or string-builder
// expression is appended in place, without a temporary copy.
template <typename Piece> void AppendPageLine(QString &page, const Piece &piece)
{
    page += QLatin1String("\r\n") % piece;
}

// Assembles the whole gateway page from the project. Its only effect on the project is
// PageTopSnapshot, kept while the keyword frequency exploit is on.
QString BuildGatewayPage(PageProject &project);
