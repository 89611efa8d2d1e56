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
    : mBits(kBitCount) {}

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
    : mBits(std::move(other.mBits)) {
  other.mBits.resize(kBitCount);
}

ChannelSet::~ChannelSet() = default;

ChannelSet& ChannelSet::operator=(const ChannelSet& other) = default;

ChannelSet& ChannelSet::operator=(ChannelSet&& other) noexcept {
  if (this != &other) {
    mBits = std::move(other.mBits);
    other.mBits.clear();
    other.mBits.resize(kBitCount);
  }
  return *this;
}

ChannelSet& ChannelSet::operator=(ChannelSetInit init) {
  clear();
  for (std::uint32_t channel = eChannelRed; channel <= eChannelAlpha; ++channel) {
    if (init & (1u << (channel - 1))) {
      mBits.set(channel);
    }
  }
  return *this;
}

void ChannelSet::clear() {
  mBits.reset();
}

ChannelSet& ChannelSet::operator+=(Channel channel) {
  if (isChannel(channel)) {
    mBits.set(channel);
  }
  return *this;
}

ChannelSet& ChannelSet::operator+=(const ChannelSet& other) {
  mBits |= other.mBits;
  return *this;
}

ChannelSet& ChannelSet::operator-=(Channel channel) {
  if (isChannel(channel)) {
    mBits.reset(channel);
  }
  return *this;
}

bool ChannelSet::operator&(Channel channel) const {
  return isChannel(channel) && mBits.test(channel);
}

bool ChannelSet::operator==(const ChannelSet& other) const {
  return mBits == other.mBits;
}

Channel ChannelSet::_first() const {
  const std::size_t found = mBits.find_first();
  return found == mBits.npos ? eChannelNone : Channel(found);
}

Channel ChannelSet::_next(Channel channel) const {
  if (channel >= kMaxChannels) {
    return eChannelNone;
  }
  const std::size_t found = mBits.find_next(channel);
  return found == mBits.npos ? eChannelNone : Channel(found);
}

Channel ChannelSet::last() const {
  for (std::size_t channel = kMaxChannels; channel > 0; --channel) {
    if (mBits.test(channel)) {
      return Channel(channel);
    }
  }
  return eChannelNone;
}

unsigned ChannelSet::size() const {
  return unsigned(mBits.count());
}

bool ChannelSet::empty() const {
  return mBits.none();
}

} // namespace KX::Image
