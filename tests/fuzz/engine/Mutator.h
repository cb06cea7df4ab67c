// The mutation engine: makes a new input from a corpus entry by a few random
// edits of the kinds that break text files and their readers: flipped bits,
// hostile bytes and tokens (huge exponents, lone quotes and line breaks,
// NULs, lead bytes of double-byte code pages), long runs, chunks deleted,
// duplicated or moved, lines and fields replaced, and splices of two entries.
#pragma once

#include <string>
#include <vector>

#include "engine/FuzzRandom.h"

class Mutator
{
public:
    Mutator(FuzzRandom& random, size_t maxLength) : m_random(random), m_maxLength(maxLength) {}

    // A mutant of `input`, never longer than the maximum length. `corpus`
    // gives the partners of splices.
    std::string Mutate(const std::string& input, const std::vector<std::string>& corpus);

    // The edits of the last Mutate, e.g. "token(1e309) delete-chunk".
    const std::string& LastEdits() const { return m_edits; }

private:
    void EditOnce(std::string& data, const std::vector<std::string>& corpus);
    void Note(const char* edit, const std::string& detail = std::string());

    size_t Position(const std::string& data) { return m_random.Below(data.size() + 1); }
    size_t ChunkLength(size_t available);
    const std::string& Token();
    char InterestingByte();
    size_t InterestingLength();

    void FlipBit(std::string& data);
    void SetByte(std::string& data, char value, const char* edit);
    void AddToByte(std::string& data);
    void InsertToken(std::string& data);
    void InsertRun(std::string& data);
    void DeleteChunk(std::string& data);
    void DuplicateChunk(std::string& data);
    void OverwriteChunk(std::string& data);
    void ReplaceField(std::string& data);
    void EditLine(std::string& data);
    void Splice(std::string& data, const std::vector<std::string>& corpus);
    void Truncate(std::string& data);

    FuzzRandom& m_random;
    size_t m_maxLength;
    std::string m_edits;
};
