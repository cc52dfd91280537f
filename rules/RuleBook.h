#pragma once
#include "RuleFile.h"
#include "TextRule.h"
#include <QString>
#include <QVector>

// Where a novel's rules are kept: the listener's file for every novel; the novel's side file as
// it is written, and as it is read (beside the novel, or in the state folder). No novel: empty.
struct RuleBookFiles
{
    QString general;
    QString novelToWrite;
    QString novelToRead;
};

// The rules the listener edits for one novel, both files together in one list in the order they
// run; saved back each into its file. A file that was there but could not be read is never
// written, so that rules never seen are not lost.
class RuleBook
{
public:
    explicit RuleBook(const RuleBookFiles &files);

    const QVector<TextRule> &rules() const { return m_rules; }
    TextRule &rule(int index) { return m_rules[index]; }
    // Files that could not be read, or entries of them refused, one line each; empty when none.
    const QString &fault() const { return m_fault; }

    void append(const TextRule &rule);
    void remove(int index);
    // Moves the rule at `index` by `by` places (-1 up, 1 down), within the list.
    void move(int index, int by);
    // The ready-made rules not in the list yet (by name), turned off; how many were added.
    int addPresets();
    void import(const QVector<TextRule> &rules);

    // Writes both files; an empty text, or why a file was not written.
    QString save() const;

private:
    void renumber();

    RuleBookFiles m_files;
    QVector<TextRule> m_rules;
    QString m_fault;
    bool m_generalRead = true;
    bool m_novelRead = true;
};
