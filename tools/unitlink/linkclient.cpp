#include "linkclient.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>

namespace marquis::unit {

LinkClient::LinkClient(Channel& channel, LinkSettings settings, std::uint8_t firstSequence)
    : m_channel(channel)
    , m_settings(settings)
    , m_nextSequence(firstSequence)
    , m_lineFreeAt(Clock::now())
{
    m_settings.attempts = std::max(1, m_settings.attempts);
    m_settings.window = std::clamp(m_settings.window, 1, 64);
    m_settings.baud = std::max(1, m_settings.baud);
}

Clock::duration LinkClient::lineTime(std::size_t bytes) const
{
    // Ten bits per byte: start bit, eight data bits, stop bit.
    const auto microseconds = static_cast<long long>(bytes) * 10 * 1'000'000 / m_settings.baud;
    return std::chrono::microseconds(microseconds);
}

Exchange LinkClient::failure(LinkStatus status, std::string detail) const
{
    Exchange exchange;
    exchange.status = status;
    exchange.detail = std::move(detail);
    return exchange;
}

bool LinkClient::send(
    const Frame& frame, std::size_t replyBytes, Clock::time_point& deadline, std::string& error)
{
    const std::vector<std::uint8_t> bytes = encodeFrame(frame);
    const auto now = Clock::now();
    // The bytes queue behind those sent before; the answer comes after the last of them.
    m_lineFreeAt = std::max(now, m_lineFreeAt) + lineTime(bytes.size());
    deadline = m_lineFreeAt + lineTime(replyBytes + FrameOverhead) + m_settings.slack;
    ++m_counters.framesSent;
    return m_channel.write(bytes, deadline, error);
}

bool LinkClient::receive(Clock::time_point deadline, Reply& reply, std::string& error)
{
    reply = Reply {};
    std::array<std::uint8_t, 4096> buffer {};
    for (;;) {
        while (auto received = m_decoder.next()) {
            const Frame& frame = received->frame;
            const bool answer = frame.command == static_cast<std::uint8_t>(Command::Ack) ||
                frame.command == static_cast<std::uint8_t>(Command::Nak);
            if (frame.address != m_settings.address || !answer)
                continue; // another unit's traffic, or our own requests echoed
            reply.arrived = true;
            reply.damaged = received->damaged;
            reply.frame = std::move(received->frame);
            if (reply.damaged)
                ++m_counters.damagedReplies;
            return true;
        }
        const long count = m_channel.read(buffer, deadline, error);
        if (count < 0)
            return false;
        if (count == 0) {
            // The deadline passed: a frame still incomplete will not be completed.
            if (auto abandoned = m_decoder.expire()) {
                if (abandoned->frame.address == m_settings.address) {
                    reply.arrived = true;
                    reply.damaged = true;
                    reply.frame = std::move(abandoned->frame);
                    ++m_counters.damagedReplies;
                }
            }
            return true;
        }
        m_decoder.feed(std::span(buffer).first(static_cast<std::size_t>(count)));
    }
}

Exchange LinkClient::request(
    Command command, std::vector<std::uint8_t> payload, std::size_t replyBytes, int damagedLimit)
{
    const Frame frame { m_settings.address, m_nextSequence++, static_cast<std::uint8_t>(command),
        std::move(payload) };
    if (damagedLimit <= 0)
        damagedLimit = m_settings.damagedAttempts;
    int silent = 0;
    int damaged = 0;
    for (int sends = 0; silent < m_settings.attempts && damaged < damagedLimit; ++sends) {
        if (sends > 0)
            ++m_counters.framesResent;
        std::string error;
        Clock::time_point deadline;
        if (!send(frame, replyBytes, deadline, error))
            return failure(LinkStatus::LineFailed, error);
        for (;;) {
            Reply reply;
            if (!receive(deadline, reply, error))
                return failure(LinkStatus::LineFailed, error);
            if (!reply.arrived) {
                ++silent;
                break; // timed out: send again
            }
            silent = 0; // the unit is there
            if (reply.frame.sequence != frame.sequence)
                continue; // a late answer to an earlier frame
            if (reply.damaged) {
                ++damaged;
                break;
            }
            if (reply.frame.command == static_cast<std::uint8_t>(Command::Nak)) {
                const auto refusal = reply.frame.payload.empty()
                    ? Refusal::BadRequest
                    : static_cast<Refusal>(reply.frame.payload[0]);
                if (refusal == Refusal::DamagedFrame) {
                    ++damaged;
                    break;
                }
                Exchange refused = failure(LinkStatus::Refused);
                refused.refusal = refusal;
                return refused;
            }
            Exchange done;
            done.payload = std::move(reply.frame.payload);
            return done;
        }
    }
    return failure(damaged > 0 ? LinkStatus::Garbled : LinkStatus::NoAnswer);
}

Exchange LinkClient::stream(Command command, std::size_t total, std::size_t largestBlock,
    const BlockPayload& payloadOf, const std::function<void(std::size_t)>& progress)
{
    struct Block {
        std::size_t offset = 0;
        std::size_t length = 0;
        Clock::time_point deadline;
        int tries = 0;
    };
    const std::size_t smallest = std::clamp<std::size_t>(m_settings.smallestBlock, 1, largestBlock);
    // As many bytes in flight as `window` blocks of the largest size, however small the blocks
    // get, so that a noisy line stays busy while some blocks wait for their answers.
    const std::size_t bytesInFlight = largestBlock * static_cast<std::size_t>(m_settings.window);
    constexpr std::size_t MostFramesInFlight = 64;
    // A unit that has said nothing for this long is gone.
    const auto silenceLimit = m_settings.attempts *
        (m_settings.slack + lineTime(bytesInFlight + 2 * FrameOverhead * MostFramesInFlight));
    std::size_t blockSize = largestBlock;
    std::size_t pendingBytes = 0;
    int cleanInARow = 0;
    auto lastHeard = Clock::now();
    bool heardDamaged = false;
    std::map<std::uint8_t, Block> pending;
    std::deque<Block> again; // pieces of damaged blocks, sent before new ones
    std::size_t nextOffset = 0;
    std::size_t acknowledged = 0;
    std::string error;

    const auto sendBlock = [&](std::uint8_t sequence, Block& block) {
        const Frame frame { m_settings.address, sequence, static_cast<std::uint8_t>(command),
            payloadOf(block.offset, block.length) };
        ++block.tries;
        return send(frame, 0, block.deadline, error);
    };

    while (acknowledged < total) {
        while (pending.size() < MostFramesInFlight && (!again.empty() || nextOffset < total) &&
            (pending.empty() || pendingBytes + blockSize <= bytesInFlight)) {
            Block block;
            if (!again.empty()) {
                block = again.front();
                again.pop_front();
            } else {
                block.offset = nextOffset;
                block.length = std::min(blockSize, total - nextOffset);
                nextOffset += block.length;
            }
            const std::uint8_t sequence = m_nextSequence++;
            pendingBytes += block.length;
            Block& sent = pending[sequence] = block;
            if (!sendBlock(sequence, sent))
                return failure(LinkStatus::LineFailed, error);
        }
        auto earliest = pending.begin()->second.deadline;
        for (const auto& [sequence, block] : pending)
            earliest = std::min(earliest, block.deadline);

        Reply reply;
        if (!receive(earliest, reply, error))
            return failure(LinkStatus::LineFailed, error);
        if (!reply.arrived) {
            const auto now = Clock::now();
            if (now - lastHeard > silenceLimit)
                return failure(heardDamaged ? LinkStatus::Garbled : LinkStatus::NoAnswer);
            for (auto& [sequence, block] : pending) {
                if (block.deadline > now)
                    continue;
                if (block.tries >= m_settings.damagedAttempts)
                    return failure(LinkStatus::Garbled);
                ++m_counters.framesResent;
                if (!sendBlock(sequence, block))
                    return failure(LinkStatus::LineFailed, error);
            }
            continue;
        }
        lastHeard = Clock::now();
        const auto found = pending.find(reply.frame.sequence);
        if (found == pending.end())
            continue; // an answer to a frame already settled
        Block& block = found->second;
        const bool nak = reply.frame.command == static_cast<std::uint8_t>(Command::Nak);
        const Refusal refusal = !nak || reply.frame.payload.empty()
            ? Refusal::BadRequest
            : static_cast<Refusal>(reply.frame.payload[0]);
        if (reply.damaged || (nak && refusal == Refusal::DamagedFrame)) {
            heardDamaged = true;
            cleanInARow = 0;
            if (block.tries >= m_settings.damagedAttempts)
                return failure(LinkStatus::Garbled);
            // A noisy line: smaller blocks get through more often.
            blockSize = std::max(smallest, blockSize / 2);
            ++m_counters.framesResent;
            if (block.length > blockSize) {
                Block rest = block;
                pendingBytes -= block.length;
                pending.erase(found);
                std::deque<Block> pieces;
                for (std::size_t done = 0; done < rest.length; done += blockSize) {
                    Block piece = rest;
                    piece.offset = rest.offset + done;
                    piece.length = std::min(blockSize, rest.length - done);
                    pieces.push_back(piece);
                }
                again.insert(again.begin(), pieces.begin(), pieces.end());
            } else if (!sendBlock(found->first, block)) {
                return failure(LinkStatus::LineFailed, error);
            }
            continue;
        }
        if (nak) {
            Exchange refused = failure(LinkStatus::Refused);
            refused.refusal = refusal;
            return refused;
        }
        acknowledged += block.length;
        pendingBytes -= block.length;
        pending.erase(found);
        if (++cleanInARow >= 16 && blockSize < largestBlock) {
            blockSize = std::min(largestBlock, blockSize * 2);
            cleanInARow = 0;
        }
        if (progress)
            progress(acknowledged);
    }
    return Exchange {};
}

} // namespace marquis::unit
