#pragma once

#include <velloro/viewerui/TimeBaseChooser.h>

namespace Velloro {

// Chooses a frame rate from the usual film and video rates (8 to 60 fps). One entry may be
// marked as the default with "*"; rates outside the list are appended after a separator.
// Each entry holds its TimeBase under Qt::UserRole, and looking one up matches rates within
// the rate's tolerance. GUI thread only.
class VELLORO_EXPORT FrameRateChooser : public TimeBaseChooser {
  Q_OBJECT
public:
  explicit FrameRateChooser(QWidget* parent = nullptr);

  // The rate of the current entry; invalid with no entry selected.
  Tessel::Base::TimeBase timeBase() const override;
  Tessel::Base::TimeBase timeBaseAt(int index) const;
  // Selects the entry of the rate, or none when the list does not hold it.
  void setTimeBase(Tessel::Base::TimeBase timeBase) override;
  // Selects the entry of the rate; false (and no entry selected) when there is none.
  bool setToExistingEntry(Tessel::Base::TimeBase timeBase);
  void addTimeBaseToList(Tessel::Base::TimeBase timeBase);
  // Marks the entry of the rate with "*", appending the rate when the list lacks it; the
  // previous default loses its mark.
  void setDefaultValue(Tessel::Base::TimeBase timeBase);
  int defaultIndex() const { return m_defaultIndex; }
  int separatorIndex() const { return m_separatorIndex; }

protected:
  // Shows the current rate's label in the line edit of an editable chooser, marked with "*"
  // when it is the default.
  void valueChanged();

private slots:
  void handleIndexChange();

private:
  int m_defaultIndex = -1;
  int m_separatorIndex = 0;
};

} // namespace Velloro
