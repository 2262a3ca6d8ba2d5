#pragma once

#include "channel.h"
#include "commands.h"
#include "frame.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace marquis::unit {

struct LinkSettings {
    std::uint8_t address = 0;
    int baud = 9600;
    // Time allowed for the unit to act and answer, on top of the time the bytes take on the
    // line both ways.
    std::chrono::milliseconds slack { 400 };
    // Timeouts in a row, with nothing at all heard from the unit, before the link gives up.
    int attempts = 4;
    // Sends of one frame whose answers come back damaged before the link gives up: the unit is
    // there, the line is noisy.
    int damagedAttempts = 32;
    int window = 4; // data frames sent ahead of their acknowledgements
    std::size_t smallestBlock = 64; // blocks shrink down to this size on a noisy line
};

enum class LinkStatus {
    Ok,
    Refused, // the unit answered with a refusal
    NoAnswer, // nothing addressed to us came back
    Garbled, // answers came back, but damaged every time
    LineFailed, // the port itself failed
    BadReply, // an answer of the wrong form
};

struct Exchange {
    LinkStatus status = LinkStatus::Ok;
    Refusal refusal = Refusal::None;
    std::vector<std::uint8_t> payload; // of the acknowledgement
    std::string detail; // what went wrong, for LineFailed and BadReply

    bool ok() const { return status == LinkStatus::Ok; }
};

struct LinkCounters {
    int framesSent = 0;
    int framesResent = 0;
    int damagedReplies = 0;
    int timeouts = 0; // waits for an answer that ended with nothing new from the unit
};

// The link's end of the protocol: sends requests to one unit and waits for their answers,
// sending a frame again when its answer is lost, damaged or a request to repeat it.
class LinkClient {
public:
    // `firstSequence` differs from run to run, so a unit never takes a new request for an
    // answered repetition of an old one.
    LinkClient(Channel& channel, LinkSettings settings, std::uint8_t firstSequence);

    // One request, one answer. `replyBytes`: the payload size of the expected answer, so that
    // its time on the line is waited for. `damagedLimit` (0: the settings' damagedAttempts)
    // lets a caller that can ask for less give up early on damaged answers.
    Exchange request(Command command, std::vector<std::uint8_t> payload,
        std::size_t replyBytes = 32, int damagedLimit = 0);

    // A transfer in blocks: `total` bytes, each block [offset, offset + length) asked for with
    // one request, up to `window` blocks' worth of them unanswered at a time. Writing, the
    // requests carry the blocks; reading, the answers do. Either way, blocks start at
    // `largestBlock` bytes, are split and made smaller when their frames come back damaged, and
    // grow again while the line stays clean.
    struct BlockTransfer {
        Command command = Command::WriteBlock;
        std::size_t total = 0;
        std::size_t largestBlock = 1024;
        // The request payload of a block.
        std::function<std::vector<std::uint8_t>(std::size_t offset, std::size_t length)> request;
        // The size of a block's answer payload, so that its time on the line is waited for.
        std::function<std::size_t(std::size_t length)> answerSize;
        // Takes a block's acknowledgement payload; false when it is not what was asked for.
        std::function<bool(
            std::size_t offset, std::size_t length, std::span<const std::uint8_t> payload)>
            accept;
        // Told how many bytes are acknowledged so far.
        std::function<void(std::size_t)> progress;
    };
    Exchange stream(const BlockTransfer& transfer);

    const LinkSettings& settings() const { return m_settings; }
    const LinkCounters& counters() const { return m_counters; }

private:
    struct Reply {
        bool arrived = false;
        bool damaged = false;
        Frame frame;
    };

    // Sends a frame; its answer's deadline, or nothing with `error` set. `answersAhead`: the
    // bytes of answers the unit has still to send before this one's.
    bool send(const Frame& frame, std::size_t replyBytes, Clock::time_point& deadline,
        std::string& error, std::size_t answersAhead = 0);
    // The next answer from our unit, waiting until the deadline; false when the line failed.
    bool receive(Clock::time_point deadline, Reply& reply, std::string& error);
    Clock::duration lineTime(std::size_t bytes) const;
    Exchange failure(LinkStatus status, std::string detail = {}) const;

    Channel& m_channel;
    LinkSettings m_settings;
    std::uint8_t m_nextSequence;
    FrameDecoder m_decoder;
    Clock::time_point m_lineFreeAt;
    LinkCounters m_counters;
};

} // namespace marquis::unit
