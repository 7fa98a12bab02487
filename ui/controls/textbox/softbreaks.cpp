#include "ui/controls/textbox/softbreaks.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// The data of a block whose break before it is soft: it stands for a blank. Kept as the block's
// user data, not its user state, which a QSyntaxHighlighter sets for every block it highlights.
// Qt gives a block made by splitting another no data, so a line break nobody cut is never soft.
class SoftBreak final : public QTextBlockUserData
{
};

} // namespace

bool continuesParagraph(const QTextBlock &block)
{
    return dynamic_cast<const SoftBreak *>(block.userData()) != nullptr;
}

void markBreakBefore(QTextBlock block, bool soft)
{
    if (continuesParagraph(block) != soft)
        block.setUserData(soft ? new SoftBreak : nullptr);
}

std::pair<int, int> paragraphAround(const QTextDocument *document, int position, int reach)
{
    QTextBlock first = document->findBlock(position);
    while (continuesParagraph(first) && first.previous().isValid() && first.position() > qint64(position) - reach)
        first = first.previous();
    QTextBlock last = document->findBlock(position);
    while (last.next().isValid() && continuesParagraph(last.next()) &&
           last.position() + last.length() <= qint64(position) + reach)
        last = last.next();
    return {first.position(), last.position() + last.length() - 1};
}
