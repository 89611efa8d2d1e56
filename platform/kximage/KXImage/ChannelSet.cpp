#include <KXImage/ChannelSet.h>

#include <utility>

namespace KX::Image {

namespace {

constexpr std::size_t kBitCount = kMaxChannels + 1;

bool isChannel(std::uint32_t channel) {
  return channel != eChannelNone && channel <= kMaxChannels;
}

} // namespace

ChannelSet::ChannelSet()
    : m_bits(kBitCount) {}

ChannelSet::ChannelSet(ChannelSetInit init)
    : ChannelSet() {
  *this = init;
}

ChannelSet::ChannelSet(Channel channel)
    : ChannelSet() {
  *this += channel;
}

ChannelSet::ChannelSet(const ChannelSet& other) = default;

// A moved-from set stays a valid, empty set.
ChannelSet::ChannelSet(ChannelSet&& other) noexcept
    : m_bits(std::move(other.m_bits)) {
  other.m_bits.resize(kBitCount);
}

ChannelSet::~ChannelSet() = default;

ChannelSet& ChannelSet::operator=(const ChannelSet& other) = default;

ChannelSet& ChannelSet::operator=(ChannelSet&& other) noexcept {
  if (this != &other) {
    m_bits = std::move(other.m_bits);
    other.m_bits.clear();
    other.m_bits.resize(kBitCount);
  }
  return *this;
}

ChannelSet& ChannelSet::operator=(ChannelSetInit init) {
  clear();
  for (std::uint32_t channel = eChannelRed; channel <= eChannelAlpha; ++channel) {
    if (init & (1u << (channel - 1))) {
      m_bits.set(channel);
    }
  }
  return *this;
}

void ChannelSet::clear() {
  m_bits.reset();
}

ChannelSet& ChannelSet::operator+=(Channel channel) {
  if (isChannel(channel)) {
    m_bits.set(channel);
  }
  return *this;
}

ChannelSet& ChannelSet::operator+=(const ChannelSet& other) {
  m_bits |= other.m_bits;
  return *this;
}

ChannelSet& ChannelSet::operator-=(Channel channel) {
  if (isChannel(channel)) {
    m_bits.reset(channel);
  }
  return *this;
}

bool ChannelSet::operator&(Channel channel) const {
  return isChannel(channel) && m_bits.test(channel);
}

bool ChannelSet::operator==(const ChannelSet& other) const {
  return m_bits == other.m_bits;
}

Channel ChannelSet::_first() const {
  const std::size_t found = m_bits.find_first();
  return found == m_bits.npos ? eChannelNone : Channel(found);
}

Channel ChannelSet::_next(Channel channel) const {
  if (channel >= kMaxChannels) {
    return eChannelNone;
  }
  const std::size_t found = m_bits.find_next(channel);
  return found == m_bits.npos ? eChannelNone : Channel(found);
}

Channel ChannelSet::last() const {
  for (std::size_t channel = kMaxChannels; channel > 0; --channel) {
    if (m_bits.test(channel)) {
      return Channel(channel);
    }
  }
  return eChannelNone;
}

unsigned ChannelSet::size() const {
  return unsigned(m_bits.count());
}

bool ChannelSet::empty() const {
  return m_bits.none();
}

} // namespace KX::Image
