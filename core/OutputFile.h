#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace hl {

struct WriteResult {
    bool ok = false;
    std::string reason; // why it failed, for the user; empty on success
    explicit operator bool() const { return ok; }
};

// Writes `bytes` to what stands at `path`, as a user expects of a program's output file:
// - a regular file or a new name: through a temporary file in the same folder and a rename,
//   so a reader never sees half a file; an existing file keeps its mode and, where allowed,
//   its owner. The temporary file is written without a name (O_TMPFILE) where the filesystem
//   allows, so that even a kill leaves nothing; a named one is removed on SIGTERM, SIGINT and
//   SIGHUP. An existing file the user may not write is refused, as the shell's ">" refuses it;
// - a symbolic link: its final target is replaced that way, the link stays;
// - a character device, FIFO or socket: the bytes go straight into it;
// - "-": standard output.
// A folder, a block device and an empty path are refused. Nothing is left behind on failure.
WriteResult WriteOutputFile(const std::string& path, const std::string& bytes);

// Takes one piece of a document; false once writing has failed, so the maker may stop early.
using PieceSink = std::function<bool(std::string_view)>;
// Makes a document piece by piece, handing each to the sink: a document many times longer
// than the machine's facts (a JSON report repeats each list on every row that shows it) is
// never whole in memory.
using DocumentPieces = std::function<void(const PieceSink&)>;

// The same, for a document made in pieces.
WriteResult WriteOutputFile(const std::string& path, const DocumentPieces& pieces);

} // namespace hl
