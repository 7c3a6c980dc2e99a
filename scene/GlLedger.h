#pragma once

#include <vector>

namespace zarnhold {

// Records GL objects as they are made, so that the run which made them can free them all
// at once when the next run replaces it. Every function that makes GL objects is given
// the ledger to record into, or null for objects that live as long as the program (the
// pictures made at start-up). Shared names (enemies share their template's buffers) are
// recorded once, where they are created, and so are deleted once.
class GlLedger {
public:
    enum class Kind { Buffer, Texture, Program, Framebuffer, VertexArray };

    GlLedger() = default;
    GlLedger(const GlLedger&) = delete;
    GlLedger& operator=(const GlLedger&) = delete;
    ~GlLedger();

    // Records a name (0 is ignored).
    void record(Kind kind, unsigned int name);
    // Records into `ledger` when there is one.
    static void recordIn(GlLedger* ledger, Kind kind, unsigned int name);

    // Deletes every recorded GL object (needs the context that made them) and forgets them.
    void releaseAll();
    std::size_t size() const { return entries.size(); }

private:
    struct Entry {
        Kind kind;
        unsigned int name = 0;
    };
    std::vector<Entry> entries;
};

}  // namespace zarnhold
