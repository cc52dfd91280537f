#pragma once
#include <QList>

class QObject;

// The members of an option group, kept in dynamic properties of their container:
// "kx_OptCount" = the number of members, "kx_Obj1" .. "kx_ObjN" = the members in joining order.
namespace kxOptionGroup {

int Count(const QObject *container);
QList<QObject *> Members(const QObject *container);
bool Contains(const QObject *container, const QObject *member);
// Adds at the end; a member already present is not added twice.
void Add(QObject *container, QObject *member);
// Removes the member and moves the later ones down one place; nothing for a non-member.
void Remove(QObject *container, QObject *member);

}
