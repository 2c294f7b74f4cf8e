// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checker.h"

#include "common/string32.h"

namespace memcheck {

// A card or list file: each item is one card or text, comments and commas included.
void MemoryChecker::itemChecks(const At& at, const Item& it, const QString& what)
{
    if (it.sameLine)
        problem(at, QStringLiteral("a comma on this line starts another item: %1 begins after it").arg(what));
    if (it.raw.startsWith(QLatin1Char(';')))
        problem(at, QStringLiteral("%1 is this comment: the file has no comments, every item counts").arg(what));
}

// One item more than the board takes, so that the lines it leaves unread can be told.
bool MemoryChecker::readBoardItems(const QString& path, int count, int& file, QVector<Item>& items)
{
    file = fileIndex(path);
    if (QString why; !readFile(path, items, (count == INT_MAX ? memDesign::MaxCards : count) + 1, &why)) {
        problem({file, 0}, why);
        return false;
    }
    return true;
}

void MemoryChecker::notRead(int file, const QVector<Item>& items, int read, int count)
{
    if (read < int(items.size()))
        problem({file, items[read].line}, QStringLiteral("this line and the ones after it are not read: the board has %1 cards").arg(count));
}

int MemoryChecker::readCards(int count)
{
    QString path = m_data.value + m_cards.value;
    if (m_cards.value.isEmpty() || !fioFileExists(path)) {
        path = m_card.value + m_cards.value;
        if (m_cards.value.isEmpty() || !fioFileExists(path)) {
            startup(m_cards.set ? m_cards.at : At{m_ini, 0}, QStringLiteral("cards in [gamefiles]"), 7, m_cards.value);
            return INT_MAX;
        }
    }
    int file = -1;
    QVector<Item> items;
    if (!readBoardItems(path, count, file, items))
        return INT_MAX;
    const QString& card = m_card.value;
    int i = 0;
    for (; i < int(items.size()) && i < count; ++i) {
        const Item& it = items[i];
        const At at{file, it.line};
        const QString what = QStringLiteral("card %1").arg(i + 1);
        itemChecks(at, it, what);
        const QString pictureFile = strGetTab(it.raw, 2);
        const QString text = strGetTab(it.raw, 3);
        const QString soundFile = strGetTab(it.raw, 4);
        if (!pictureFile.isEmpty())
            picture(at, what, card, pictureFile, 105);
        else if (text.isEmpty())
            problem(at, QStringLiteral("%1 has neither a picture nor a text: it shows nothing when turned%2")
                            .arg(what, it.raw.contains(QLatin1Char('\t')) || it.raw.startsWith(QLatin1Char(';')) ? QString()
                                                                        : QStringLiteral(" (its fields must be separated by TABs, and this line has none)")));
        if (!soundFile.isEmpty()) {
            sound(at, what, card + soundFile, 203, QString::number(i + 1));
        } else if (m_sameNameSound && !pictureFile.isEmpty()) {
            const QString same = card + fioRemoveExtension(pictureFile) + QStringLiteral(".wav");
            if (fioFileExists(same))
                sound(at, what, same, 0);
        }
    }
    notRead(file, items, i, count);
    if (count == INT_MAX || i >= count)
        return count;
    int cards = i;
    if (!m_textActive)
        cards -= cards % 2;
    if (cards <= 0)
        startup({file, 0}, QString(), 11);
    startup({file, 0}, QString(), 14, shown(path), QString::number(i));
    return cards > 0 ? cards : INT_MAX;
}

void MemoryChecker::readList(int count)
{
    QString path = m_card.value + m_list.value;
    if (m_list.value.isEmpty() || !fioFileExists(path)) {
        path = m_data.value + m_list.value;
        if (m_list.value.isEmpty() || !fioFileExists(path)) {
            startup(m_list.set ? m_list.at : m_textActiveAt, QStringLiteral("listfile in [gamefiles]"), 8, m_list.value);
            return;
        }
    }
    int file = -1;
    QVector<Item> items;
    if (!readBoardItems(path, count, file, items))
        return;
    int i = 0;
    for (; i < int(items.size()) && i < count; ++i) {
        const Item& it = items[i];
        const At at{file, it.line};
        const QString what = QStringLiteral("text %1").arg(i + 1);
        itemChecks(at, it, what);
        const QString soundFile = strGetTab(it.raw, 2);
        if (!soundFile.isEmpty())
            sound(at, what, m_card.value + soundFile, 0);
    }
    notRead(file, items, i, count);
    if (count != INT_MAX && i < count)
        startup({file, 0}, QStringLiteral("%1 texts for %2 cards").arg(i).arg(count), 9);
}

} // namespace memcheck
