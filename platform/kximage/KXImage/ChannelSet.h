#pragma once

#include <KXImage/Channel.h>
#include <KXImage/KXImageExport.h>

#include <boost/dynamic_bitset.hpp>

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace KX::Image {

// Masks of the four colour channels, for initialising a channel set.
enum ChannelSetInit : std::uint32_t {
  eMaskNone = 0,
  eMaskRed = 1u << 0,
  eMaskGreen = 1u << 1,
  eMaskBlue = 1u << 2,
  eMaskAlpha = 1u << 3,
  eMaskRGB = eMaskRed | eMaskGreen | eMaskBlue,
  eMaskRGBA = eMaskRGB | eMaskAlpha,
};

// A set of channel numbers 1 to kMaxChannels. Channel 0 and numbers above the limit are never
// members: adding them does nothing and asking for them answers false.
//
// A plain value; each instance belongs to the thread that uses it.
class KXIMAGE_EXPORT ChannelSet {
public:
  // Visits the members in ascending order.
  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Channel;
    using difference_type = std::ptrdiff_t;
    using pointer = const Channel*;
    using reference = Channel;

    const_iterator(const ChannelSet* set, Channel channel)
        : m_set(set)
        , m_channel(channel) {}
    Channel operator*() const { return m_channel; }
    const_iterator& operator++() {
      m_channel = m_set->_next(m_channel);
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const const_iterator& other) const { return m_channel == other.m_channel; }
    bool operator!=(const const_iterator& other) const { return m_channel != other.m_channel; }

  private:
    const ChannelSet* m_set;
    Channel m_channel;
  };

  ChannelSet();
  ChannelSet(ChannelSetInit init);
  ChannelSet(Channel channel);
  ChannelSet(const ChannelSet& other);
  ChannelSet(ChannelSet&& other) noexcept;
  ~ChannelSet();

  ChannelSet& operator=(const ChannelSet& other);
  ChannelSet& operator=(ChannelSet&& other) noexcept;
  ChannelSet& operator=(ChannelSetInit init);

  void clear();
  ChannelSet& operator+=(Channel channel);
  ChannelSet& operator+=(const ChannelSet& other);
  ChannelSet& operator-=(Channel channel);

  // Membership.
  bool operator&(Channel channel) const;
  bool contains(Channel channel) const { return *this & channel; }

  bool operator==(const ChannelSet& other) const;
  bool operator!=(const ChannelSet& other) const { return !(*this == other); }

  // The smallest member, or eChannelNone when the set is empty.
  Channel _first() const;
  // The smallest member above channel, or eChannelNone when there is none.
  Channel _next(Channel channel) const;
  // The largest member, or eChannelNone when the set is empty.
  Channel last() const;

  unsigned size() const;
  bool empty() const;

  const_iterator begin() const { return const_iterator(this, _first()); }
  const_iterator end() const { return const_iterator(this, eChannelNone); }

private:
  // Bit c stands for channel c; bit 0 is never set.
  boost::dynamic_bitset<std::uint64_t> m_bits;
};

} // namespace KX::Image
