#include "kxOptionGroup.h"
#include <QObject>
#include <QVariant>

namespace kxOptionGroup {

namespace {
const char CountProperty[] = "kx_OptCount";

QByteArray PositionProperty(int position)
{
    return "kx_Obj" + QByteArray::number(position);
}

QObject *MemberAt(const QObject *container, int position)
{
    return container->property(PositionProperty(position)).value<QObject *>();
}

void SetMemberAt(QObject *container, int position, QObject *member)
{
    container->setProperty(PositionProperty(position), QVariant::fromValue(member));
}
}

int Count(const QObject *container)
{
    return container ? container->property(CountProperty).toInt() : 0;
}

QList<QObject *> Members(const QObject *container)
{
    QList<QObject *> members;
    for (int i = 1; i <= Count(container); ++i)
        members.append(MemberAt(container, i));
    return members;
}

bool Contains(const QObject *container, const QObject *member)
{
    return Members(container).contains(member);
}

void Add(QObject *container, QObject *member)
{
    if (!container || Contains(container, member))
        return;
    const int count = Count(container) + 1;
    container->setProperty(CountProperty, count);
    SetMemberAt(container, count, member);
}

void Remove(QObject *container, QObject *member)
{
    if (!Contains(container, member))
        return;
    const int count = Count(container);
    bool found = false;
    for (int i = 1; i <= count; ++i) {
        if (found)
            SetMemberAt(container, i - 1, MemberAt(container, i));
        else
            found = MemberAt(container, i) == member;
    }
    container->setProperty(PositionProperty(count), QVariant());
    container->setProperty(CountProperty, count == 1 ? QVariant() : QVariant(count - 1));
}

}
