#pragma once

#include <velloro/VelloroExport.h>

#include <TesselBase/TimeBase.h>

#include <QComboBox>

namespace Velloro {

// A combo box whose entries are rates. The common base of the frame-rate and sample-rate
// choosers. GUI thread only.
class VELLORO_EXPORT TimeBaseChooser : public QComboBox {
  Q_OBJECT
public:
  explicit TimeBaseChooser(QWidget* parent = nullptr);

  virtual Tessel::Base::TimeBase timeBase() const = 0;
  // Selects the entry holding the rate as a float, appending one labelled with the rate when
  // there is none.
  virtual void setTimeBase(Tessel::Base::TimeBase timeBase);

signals:
  void timeBaseChanged();
};

} // namespace Velloro
