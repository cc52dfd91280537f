#include "TestRegistry.h"
#include "Shelf.h"
#include "ShelfDialog.h"
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

// "书架" from the keyboard: typed text filters the novels, Enter opens the one under the cursor
// (through the filter and the sort), "移出书架" forgets it and leaves its file.
class tst_ShelfDialog : public QObject
{
    Q_OBJECT
private slots:
    void filterEnterAndForget()
    {
        QTemporaryDir dir;
        Shelf shelf(dir.filePath(QStringLiteral("shelf.json")));
        shelf.load();
        QStringList paths;
        for (const QString &name : {QStringLiteral("xiyouji"), QStringLiteral("sanguo yanyi"), QStringLiteral("shuihu")}) {
            QFile file(dir.filePath(name + QStringLiteral(".txt")));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("text\n") == 5);
            shelf.opened(file.fileName());
            paths << file.fileName();
        }
        ShelfDialog dialog(&shelf, QStringLiteral("voice"));
        QSignalSpy opened(&dialog, &ShelfDialog::openRequested);
        dialog.show();
        QTest::keyClicks(dialog.filter(), QStringLiteral("SANGUO"));
        QCOMPARE(dialog.table()->model()->rowCount(), 1);
        QTest::keyClick(dialog.filter(), Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first().toString(), paths[1]);

        dialog.filter()->clear();
        dialog.table()->setFocus();
        QTest::keyClick(dialog.table(), Qt::Key_Down);
        const QString second = dialog.currentPath();
        dialog.findChild<QPushButton *>(QStringLiteral("cmdShelfForget"))->click();
        QCOMPARE(shelf.entries().size(), 2);
        QCOMPARE(shelf.indexOf(second), -1);
        QVERIFY(QFile::exists(second));
    }
};

TARROWIN_TEST_MAIN(tst_ShelfDialog)
#include "tst_shelf_dialog.moc"
