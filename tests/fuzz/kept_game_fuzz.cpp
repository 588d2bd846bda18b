// The kept game's reader. Properties: whatever the bytes, decoding never
// crashes and gives either nothing or a game a board can take and play; a
// game it gives, written again, reads back the same.

#include "fuzz_support.h"

#include "game/board.h"
#include "services/kept_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const std::optional<keptgame::Game> g = keptgame::decode(bytes);
    if (!g)
        return 0;
    game::Board board;
    FUZZ_CHECK(board.restore(g->size, g->mode, g->pieces, g->moves));
    FUZZ_CHECK(!board.locked());
    FUZZ_CHECK(!board.solved());
    const std::optional<keptgame::Game> again = keptgame::decode(keptgame::encode(*g));
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->pieces == g->pieces && again->size == g->size && again->mode == g->mode
               && again->moves == g->moves && again->seconds == g->seconds
               && again->album == g->album && again->picture == g->picture
               && again->file == g->file && again->helped == g->helped && again->undo == g->undo
               && again->redo == g->redo);
    // The session takes every game the file gives, its lists or not.
    game::Session session([] { return int64_t(0); });
    FUZZ_CHECK(session.restore(*g));
    session.resume();
    while (session.undo()) {
    }
    FUZZ_CHECK(session.running());
    return 0;
}
