#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

// The bytes of a settings file in the private-profile layout: a line "[SECTION]" begins a
// section, and each line "KEY=value" inside it is a key. Section and key names are matched
// without regard to case; lines are read up to LF or CR LF. Changing one key rewrites only that
// key's line and keeps every other byte of the file as it was. The file's text is GBK, or UTF-8
// when it begins with the UTF-8 byte-order mark (a file saved by an editor); the mark stays.
class IniDocument
{
public:
    explicit IniDocument(QByteArray content = {});

    // The file's bytes as text and text as the file's bytes, in the file's encoding.
    QString decode(QByteArrayView bytes) const;
    QByteArray encode(const QString &text) const;
    bool isUtf8() const;

    // The bytes stored for the key, cut at a zero byte and stripped of blanks at both ends;
    // nullopt when the section or the key is missing.
    std::optional<QByteArray> value(const QString &section, const QString &key) const;

    // Writes the line key=value (CR LF) over the key's line, or adds it after the last line of
    // the section, or adds the section at the end of the file.
    void setValue(const QString &section, const QString &key, const QByteArray &value);

    const QByteArray &content() const { return m_content; }

private:
    struct Location;
    Location locate(const QString &section, const QString &key) const;

    QByteArray m_content;
};
