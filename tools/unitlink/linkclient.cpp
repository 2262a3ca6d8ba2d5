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

bool LinkClient::send(const Frame& frame, std::size_t replyBytes, Clock::time_point& deadline,
    std::string& error, std::size_t answersAhead)
{
    const std::vector<std::uint8_t> bytes = encodeFrame(frame);
    const auto now = Clock::now();
    // The bytes queue behind those sent before; the answer comes after the last of them, and
    // after the answers the unit still has to send (at most those, since it answers in turn).
    m_lineFreeAt = std::max(now, m_lineFreeAt) + lineTime(bytes.size());
    deadline =
        m_lineFreeAt + lineTime(answersAhead + replyBytes + FrameOverhead) + m_settings.slack;
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
            ++m_counters.timeouts;
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

Exchange LinkClient::stream(const BlockTransfer& transfer)
{
    struct Block {
        std::size_t offset = 0;
        std::size_t length = 0;
        Clock::time_point deadline;
        int tries = 0;
        // When it was first and last sent in this run, counted in sends.
        std::uint64_t firstSend = 0;
        std::uint64_t lastSend = 0;
    };
    const std::size_t largestBlock = std::max<std::size_t>(1, transfer.largestBlock);
    const std::size_t smallest = std::clamp<std::size_t>(m_settings.smallestBlock, 1, largestBlock);
    // As many bytes in flight as `window` blocks of the largest size, however small the blocks
    // get, so that a noisy line stays busy while some blocks wait for their answers. Frames
    // that follow a damaged one also let the receiving end find the damage at once, instead of
    // waiting for bytes that were lost.
    const std::size_t bytesInFlight = largestBlock * static_cast<std::size_t>(m_settings.window);
    constexpr std::size_t MostFramesInFlight = 64;
    // A unit that has said nothing for this long is gone.
    const auto silenceLimit = m_settings.attempts *
        (m_settings.slack + lineTime(bytesInFlight + 2 * FrameOverhead * MostFramesInFlight));
    const auto answerBytes = [&](const Block& block) {
        return (transfer.answerSize ? transfer.answerSize(block.length) : 0) + FrameOverhead;
    };
    std::size_t blockSize = largestBlock;
    std::size_t pendingBytes = 0;
    std::size_t pendingAnswerBytes = 0; // of the answers still to come
    int cleanInARow = 0;
    auto lastHeard = Clock::now();
    bool heardDamaged = false;
    std::map<std::uint8_t, Block> pending;
    std::deque<Block> again; // pieces of damaged blocks, sent before new ones
    std::size_t nextOffset = 0;
    std::size_t acknowledged = 0;
    std::uint64_t sends = 0;
    std::string error;

    // Sends a block whose answer is already counted in pendingAnswerBytes.
    const auto sendBlock = [&](std::uint8_t sequence, Block& block) {
        const Frame frame { m_settings.address, sequence,
            static_cast<std::uint8_t>(transfer.command),
            transfer.request(block.offset, block.length) };
        ++block.tries;
        block.lastSend = ++sends;
        if (block.firstSend == 0)
            block.firstSend = block.lastSend;
        const std::size_t own = answerBytes(block);
        return send(frame, own - FrameOverhead, block.deadline, error, pendingAnswerBytes - own);
    };
    const auto settle = [&](std::map<std::uint8_t, Block>::iterator found) {
        pendingBytes -= found->second.length;
        pendingAnswerBytes -= answerBytes(found->second);
        pending.erase(found);
    };

    while (acknowledged < transfer.total) {
        while (pending.size() < MostFramesInFlight &&
            (!again.empty() || nextOffset < transfer.total) &&
            (pending.empty() || pendingBytes + blockSize <= bytesInFlight)) {
            Block block;
            if (!again.empty()) {
                block = again.front();
                again.pop_front();
            } else {
                block.offset = nextOffset;
                block.length = std::min(blockSize, transfer.total - nextOffset);
                nextOffset += block.length;
            }
            // A block that keeps failing may stay unanswered while the sequence numbers go
            // round; its number is not given to another.
            while (pending.contains(m_nextSequence))
                ++m_nextSequence;
            const std::uint8_t sequence = m_nextSequence++;
            pendingBytes += block.length;
            pendingAnswerBytes += answerBytes(block);
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
        // The unit answers in the order the frames reach it, and the line keeps their order: a
        // block last sent before this one was first sent, still without an answer, was lost on
        // the way there or back. It is sent again now rather than at its deadline.
        for (auto& [sequence, overlooked] : pending) {
            if (overlooked.lastSend >= block.firstSend)
                continue;
            if (overlooked.tries >= m_settings.damagedAttempts)
                return failure(LinkStatus::Garbled);
            ++m_counters.framesResent;
            if (!sendBlock(sequence, overlooked))
                return failure(LinkStatus::LineFailed, error);
        }
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
                const Block rest = block;
                settle(found);
                std::deque<Block> pieces;
                for (std::size_t done = 0; done < rest.length; done += blockSize) {
                    Block piece = rest;
                    piece.offset = rest.offset + done;
                    piece.length = std::min(blockSize, rest.length - done);
                    piece.firstSend = 0; // a new frame
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
        if (transfer.accept && !transfer.accept(block.offset, block.length, reply.frame.payload))
            return failure(LinkStatus::BadReply,
                "the unit sent other data than asked for (offset " + std::to_string(block.offset) +
                    ")");
        acknowledged += block.length;
        settle(found);
        if (++cleanInARow >= 16 && blockSize < largestBlock) {
            blockSize = std::min(largestBlock, blockSize * 2);
            cleanInARow = 0;
        }
        if (transfer.progress)
            transfer.progress(acknowledged);
    }
    return Exchange {};
}

} // namespace marquis::unit
