// Writing a file so that it either holds all the new bytes or keeps its previous content: the
// bytes go to a temporary file beside the target (its name within the folder's name limit) that
// takes the target's place only once everything is written. Every refusal and failure comes with
// a Japanese sentence naming the file.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <optional>

namespace tobirae {

class AtomicFile {
public:
    // Sync: the bytes reach the disk before the rename, so a power cut leaves the old or the new
    // file. Flush only: the rename still never exposes a partial file to a running program.
    enum class Durability { Sync, Flush };

    // Follow: a link at the path is followed and its target replaced, as a user expects of a
    // document. Replace: the name itself is replaced and nothing it points to is touched, as
    // for the program's private files; those are readable by their owner only.
    enum class Links { Follow, Replace };

    explicit AtomicFile(QString path, Durability durability = Durability::Sync,
                        Links links = Links::Follow);
    ~AtomicFile(); // an uncommitted temporary is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Resolves the target (links followed as the kernel does) and creates the temporary.
    bool open();
    QIODevice& device() { return file_; }
    // Replaces the target with what was written. `expected` is the size the caller meant to
    // write: fewer bytes on a disk with less room than that count as a full disk.
    bool commit(std::int64_t expected = 0);
    // Drops the temporary; the target stays as it was.
    void cancel();

    const QString& error() const { return error_; }

private:
    bool fail(int errorNumber, std::int64_t needed = 0);

    QString path_; // as the caller named it, for messages
    QString target_;
    QString temporary_;
    QFile file_;
    Durability durability_;
    Links links_;
    QString error_;
};

// Writes bytes to path through an AtomicFile; the error text on failure.
std::optional<QString>
writeFileAtomically(const QString& path, const QByteArray& bytes,
                    AtomicFile::Durability durability = AtomicFile::Durability::Sync,
                    AtomicFile::Links links = AtomicFile::Links::Follow);

} // namespace tobirae
