#pragma once

#include <vector>

// Records the GL objects made while it is active, so that the run which made them can
// free them all at once when the next run replaces it. Shared names (enemies share
// their template's buffers) are recorded once, where they are created, and so are
// deleted once. Only one ledger is active at a time; with none active nothing is
// recorded (the pictures made at start-up live as long as the program).
class GlLedger {
public:
    enum class Kind { Buffer, Texture, Program, Framebuffer, VertexArray };

    GlLedger() = default;
    GlLedger(const GlLedger&) = delete;
    GlLedger& operator=(const GlLedger&) = delete;
    ~GlLedger();

    // Makes this ledger the one that records; returns the one it replaces.
    GlLedger* activate();
    // Stops recording into this ledger (only if it is the active one).
    void deactivate();
    static GlLedger* active();

    // Records into the active ledger, if any.
    static void record(Kind kind, unsigned int name);

    // Deletes every recorded GL object (needs the context that made them) and forgets them.
    void releaseAll();
    std::size_t size() const { return entries.size(); }

private:
    struct Entry {
        Kind kind;
        unsigned int name;
    };
    std::vector<Entry> entries;
};
