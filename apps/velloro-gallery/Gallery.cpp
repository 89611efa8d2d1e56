#include "Gallery.h"

#include <velloro/eventgraph/EventAdderProxy.h>
#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventTrackProxy.h>
#include <velloro/eventgraph/EventUserDataFileAndFrame.h>
#include <velloro/knobs/UserKnobEditor.h>
#include <velloro/pixelanalyser/ColorSampleButton.h>
#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelAnalyserWidget.h>
#include <velloro/preview/DrawCursorShaderOp.h>
#include <velloro/preview/FilePreviewFactory.h>
#include <velloro/viewerui/ViewerModelItem.h>
#include <velloro/viewerui/ViewerPlaybackControls.h>
#include <velloro/viewerui/ViewersModel.h>
#include <velloro/views/StereoControls.h>
#include <velloro/views/ViewButton.h>
#include <velloro/views/ViewDataModel.h>
#include <velloro/widgets/ColourItemDelegate.h>
#include <velloro/widgets/ContrastingColor.h>
#include <velloro/widgets/HoverFocus.h>
#include <velloro/widgets/InfoBubble.h>
#include <velloro/widgets/PosterFrameSetting.h>
#include <velloro/widgets/ToolbarLabel.h>

#include <TesselUI/Button.h>
#include <TesselUI/ChoiceButton.h>
#include <TesselUI/CollapsibleToolbar.h>
#include <TesselUI/CollapsibleToolbarItem.h>
#include <TesselUI/CollapsibleToolbarItemGroup.h>
#include <TesselUI/ColorDoubleSpinBox.h>
#include <TesselUI/ColorPicker.h>
#include <TesselUI/CoreUIUtils.h>
#include <TesselUI/DoubleSpinBox.h>
#include <TesselUI/DragButton.h>
#include <TesselUI/DragDoubleSpinBox.h>
#include <TesselUI/DraggableToolbar.h>
#include <TesselUI/EventGraph.h>
#include <TesselUI/FilePreview.h>
#include <TesselUI/FrameSlider.h>
#include <TesselUI/GLWidget.h>
#include <TesselUI/TimeField.h>
#include <TesselUI/TimeFormatChooser.h>
#include <TesselUI/TimeFormatter.h>
#include <TesselUI/TimeSlider.h>
#include <TesselUI/TimeSliderModel.h>
#include <TesselUI/TransportControlsWidget.h>
#include <TesselUI/VerticalDivider.h>
#include <TesselUI/ViewerFrameSkipControl.h>

#include <sampler/ImageSampler.h>

#include <OpenImageIO/imagebufalgo.h>

#include <KXImage/Knob.h>
#include <KXImage/Row.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStandardItemModel>
#include <QSvgWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

using namespace Tessel::UI;

namespace {

// Keeps a row of widgets together on the left of a group.
QWidget* Row(std::initializer_list<QWidget*> widgets, int spacing = 6) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(spacing);
  for (QWidget* widget : widgets) {
    layout->addWidget(widget);
  }
  layout->addStretch();
  return row;
}

QLabel* Caption(const QString& text) {
  auto* label = new QLabel(text);
  label->setForegroundRole(QPalette::PlaceholderText);
  return label;
}

// A landscape of a film frame: a sky, a sun and hills, painted rather than read from a file.
QImage SamplePicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0.0, QColor(38, 70, 130));
  sky.setColorAt(0.7, QColor(232, 150, 90));
  painter.fillRect(picture.rect(), sky);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 214, 140));
  painter.drawEllipse(QPointF(width * 0.7, height * 0.55), height * 0.12, height * 0.12);
  painter.setBrush(QColor(40, 52, 44));
  QPainterPath hills;
  hills.moveTo(0, height);
  hills.cubicTo(width * 0.3, height * 0.45, width * 0.55, height * 0.95, width, height * 0.6);
  hills.lineTo(width, height);
  painter.drawPath(hills);
  return picture;
}

// Hands a QImage to the image SDK, bottom row first.
class PictureIop : public KX::Image::Iop {
public:
  explicit PictureIop(const QImage& picture)
      : m_picture(picture.convertToFormat(QImage::Format_RGB32)) {}
  const char* Class() const override { return "Picture"; }

protected:
  void _validate(bool) override { setFormat(KX::Image::Format(0, 0, m_picture.width(), m_picture.height())); }
  void engine(int y, int x, int r, const KX::Image::ChannelSet& channels, KX::Image::Row& row) override {
    const auto* pixels = reinterpret_cast<const QRgb*>(m_picture.constScanLine(m_picture.height() - 1 - y));
    for (KX::Image::Channel channel : channels) {
      float* out = row.writable(channel);
      for (int column = x; column < r; ++column) {
        const QRgb pixel = pixels[column];
        const int values[] = {qRed(pixel), qGreen(pixel), qBlue(pixel), 255};
        out[column] = channel >= 1 && channel <= 4 ? values[channel - 1] / 255.0f : 0.0f;
      }
    }
  }

private:
  QImage m_picture;
};

// A viewer showing a gradient whose brightest corner is over 1, with a region box drawn over it,
// so that the pixel analyser has something real to read. It lives as long as the panel.
class GalleryViewer : public QObject, public Velloro::ViewerModelItem {
public:
  explicit GalleryViewer(QObject* parent)
      : QObject(parent) {
    OIIO::ImageBuf image(OIIO::ImageSpec(64, 48, 4, OIIO::TypeDesc::FLOAT));
    const float topLeft[] = {0.05f, 0.1f, 0.3f, 1}, topRight[] = {0.9f, 0.4f, 0.1f, 1},
                bottomLeft[] = {0.1f, 0.6f, 0.2f, 1}, bottomRight[] = {1.6f, 1.2f, 0.8f, 1};
    OIIO::ImageBufAlgo::fill(image, topLeft, topRight, bottomLeft, bottomRight);
    m_sampler.setImage(image);
    m_sampler.selectRegion(QRect(8, 6, 52, 40), false);
    Velloro::ViewersModel::Instance().addViewer(this);
    Velloro::ViewersModel::Instance().setActiveViewer(this);
  }
  ~GalleryViewer() override { Velloro::ViewersModel::Instance().removeViewer(this); }

  Velloro::PixelAnalyser::PixelSampler* pixelSampler() override { return &m_sampler; }
  QString title() const override { return QStringLiteral("Comp"); }
  QList<Velloro::Image::LayerPtr> layers() const override {
    return {Velloro::Image::rgbLayer, Velloro::Image::rgbaLayer};
  }
  Velloro::Image::LayerPtr activeLayer() const override { return Velloro::Image::rgbaLayer; }
  // Its layer never changes, so there is nothing to connect to.
  QObject* qObject() override { return nullptr; }

  QWidget* widget() override { return nullptr; }
  void setActiveLayer(Velloro::Image::LayerPtr) override {}
  int currentFrame() const override { return 1001; }
  void setCurrentFrame(int) override {}
  bool isPlaying() const override { return false; }
  void play(bool) override {}
  void stop() override {}
  double zoom() const override { return 1; }
  void setZoom(double) override {}
  void fitToWindow() override {}
  QString displayTransform() const override { return QStringLiteral("sRGB"); }
  void setDisplayTransform(const QString&) override {}
  void requestRedraw() override {}
  float exposure() const override { return 0; }
  void setExposure(float) override {}
  float gamma() const override { return 1; }
  void setGamma(float) override {}
  bool isWipeEnabled() const override { return false; }
  void setWipeEnabled(bool) override {}
  void showAnnotations(bool) override {}

  Velloro::Sampler::ImageSampler m_sampler;
};

} // namespace

Gallery::Gallery(QWidget* parent)
    : QWidget(parent) {
  setWindowTitle(QStringLiteral("Velloro widget gallery"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(addGroup(QStringLiteral("Time line"), QStringLiteral("timeline"), makeTimeLine()), 0, 0,
                    1, 2);
  layout->addWidget(addGroup(QStringLiteral("Transport"), QStringLiteral("transport"), makeTransport()), 1, 0,
                    1, 2);
  layout->addWidget(
      addGroup(QStringLiteral("Playback controls"), QStringLiteral("playback"), makePlaybackControls()), 2, 0,
      1, 2);
  layout->addWidget(
      addGroup(QStringLiteral("Tool bars and buttons"), QStringLiteral("toolbars"), makeToolbars()), 3, 0);
  layout->addWidget(
      addGroup(QStringLiteral("Spin boxes and colour"), QStringLiteral("spinboxes"), makeSpinBoxes()), 3, 1);
  layout->addWidget(
      addGroup(QStringLiteral("Small widgets"), QStringLiteral("small-widgets"), makeSmallWidgets()), 4, 0);
  layout->addWidget(addGroup(QStringLiteral("File preview"), QStringLiteral("preview"), makePreview()), 4, 1);
  layout->addWidget(addGroup(QStringLiteral("View pickers"), QStringLiteral("views"), makeViewPickers()), 5,
                    0);
  layout->addWidget(
      addGroup(QStringLiteral("User-knob editor"), QStringLiteral("knob-editor"), makeKnobEditor()), 5, 1);
  layout->addWidget(
      addGroup(QStringLiteral("Pixel analyser"), QStringLiteral("pixel-analyser"), makePixelAnalyser()), 6, 0,
      1, 2);
  layout->addWidget(
      addGroup(QStringLiteral("Cursor over a frame"), QStringLiteral("cursor"), makeCursorFrame()), 7, 0);
  layout->setRowStretch(8, 1);
}

QGroupBox* Gallery::addGroup(const QString& title, const QString& fileName, QWidget* contents) {
  auto* box = new QGroupBox(title);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(contents);
  m_groups.append({box, fileName});
  return box;
}

QWidget* Gallery::makeTimeLine() {
  auto* page = new QWidget;
  auto* model = new TimeSliderModel(page);
  model->setRange(1001, 1100);
  model->setInTime(1020, true);
  model->setOutTime(1080, true);
  model->setCurrentTime(1042);
  auto* formatter = new TimeFormatter(page);
  auto* slider = new TimeSlider(model, formatter, 0);
  slider->zoomToFit();
  auto* in = new TimeField(false, false);
  auto* out = new TimeField(false, false);
  auto* duration = new TimeField(false, true);
  duration->setReadOnly(true);
  for (TimeField* field : {in, out, duration}) {
    field->setFixedWidth(90);
  }
  auto* chooser = new TimeFormatChooser(formatter, TimeFormatChooser::LongLabels);
  chooser->addTimeField(in);
  chooser->addTimeField(out);
  chooser->addTimeField(duration);
  auto refresh = [model, in, out, duration] {
    in->setTime(model->inOrStartTime(), false);
    out->setTime(model->outOrEndTime(), false);
    duration->setTime(model->outOrEndTime() - model->inOrStartTime() + 1, false);
  };
  refresh();
  connect(model, &TimeSliderModel::timeChanged, page, refresh);
  connect(in, &TimeField::timeChanged, model,
          [model](Tessel::Base::Time time) { model->setInTime(time, true); });
  connect(out, &TimeField::timeChanged, model,
          [model](Tessel::Base::Time time) { model->setOutTime(time, true); });

  auto* timecodeFormatter = new TimeFormatter(page);
  timecodeFormatter->setFormat(TimeFormatter::Timecode);
  timecodeFormatter->setTimeBase(Tessel::Base::TimeBase(25, 1));
  auto* timecodeModel = new TimeSliderModel(page);
  timecodeModel->setRange(0, 25 * 60);
  timecodeModel->setCurrentTime(25 * 20);
  auto* timecodeSlider = new TimeSlider(timecodeModel, timecodeFormatter, 0);
  timecodeSlider->zoomToFit();

  auto* layout = new QVBoxLayout(page);
  auto* sliderRow = new QHBoxLayout;
  sliderRow->addWidget(in);
  sliderRow->addWidget(slider, 1);
  sliderRow->addWidget(out);
  layout->addLayout(sliderRow);
  layout->addWidget(
      Row({Caption(QStringLiteral("Format")), chooser, Caption(QStringLiteral("Duration")), duration}));
  layout->addWidget(Caption(QStringLiteral("The same slider in timecode at 25 fps:")));
  layout->addWidget(timecodeSlider);
  return page;
}

QWidget* Gallery::makeTransport() {
  auto* transport = new TransportControlsWidget;
  transport->setCurrentTime(1042);
  auto* skip = new ViewerFrameSkipControl;
  auto* loop = new ChoiceButton;
  for (const char* mode : {"Repeat", "Bounce", "Stop", "Continue"}) {
    const QIcon icon = CoreUIUtils::createIcon(QStringLiteral("Play") + mode);
    loop->addItem(QString::fromLatin1(mode), &icon, nullptr, false);
  }
  loop->setAutoRaise(true);
  loop->setToolTip(QStringLiteral("Loop mode"));
  auto* lock = new Button(CreateToolButtonIcon(QStringLiteral("icons:FrameRangeLock.png"), false),
                          QStringLiteral("Frame range lock"));
  lock->setCheckable(true);
  lock->setChecked(true);
  auto* spinner = new QSvgWidget(QStringLiteral("icons:ViewerRenderingSpinner.svg"));
  spinner->setFixedSize(16, 16);
  auto* playing = new TransportControlsWidget;
  playing->setMode(TransportControlsWidget::eCompact);
  playing->playbackStateChanged(ePlayingForwards);
  playing->setCurrentTime(1043);

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Row(
      {loop, new VerticalDivider, transport, new VerticalDivider, skip, new VerticalDivider, lock, spinner}));
  layout->addWidget(Row({Caption(QStringLiteral("Compact, playing forwards:")), playing}));
  return page;
}

QWidget* Gallery::makePlaybackControls() {
  using Velloro::ViewerUI::ViewerPlaybackControls;
  auto* page = new QWidget;
  auto makePanel = [page](Tessel::Base::Time current) {
    auto* model = new TimeSliderModel(page);
    model->setRange(1001, 1100);
    model->setInTime(1020, true);
    model->setOutTime(1080, true);
    model->setCurrentTime(current);
    auto* panel = new ViewerPlaybackControls(model, 0);
    panel->setTimeBase(Tessel::Base::TimeBase(24, 1));
    panel->enableControls(true);
    return panel;
  };
  auto* stopped = makePanel(1042);
  stopped->setFrameRangeMode(Velloro::ViewerUI::InOut);
  auto* playing = makePanel(1057);
  playing->timeSlider()->model()->enableInOutLock(true);
  playing->setPlaybackMode(ViewerPlaybackControls::Bounce);
  playing->playbackStateChanged(ePlayingForwards);
  playing->setDisplayedFPSAndSpeed(20.04f, 1);
  playing->setRenderIndicatorVisible(true);
  playing->displayTimecodes();

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(
      Caption(QStringLiteral("Stopped, slider on the in/out range (the * marks the time base):")));
  layout->addWidget(stopped);
  layout->addWidget(
      Caption(QStringLiteral("Playing forwards in bounce mode with the range locked, short of the rate:")));
  layout->addWidget(playing);
  return page;
}

QWidget* Gallery::makeToolbars() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  auto* toolbar = new CollapsibleToolbar;
  auto* group = new CollapsibleToolbarItemGroup(toolbar);
  auto makeButton = [](const QString& text, const QString& icon) {
    auto* button = new Button(CoreUIUtils::createIcon(icon), text);
    button->setText(text);
    button->setToolButtonStyle(icon.isEmpty() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    return button;
  };
  auto* range = new ChoiceButton;
  for (const char* label : {"Global", "Input", "In/Out", "Visible"}) {
    range->addItem(QString::fromLatin1(label), nullptr, nullptr, true);
  }
  range->setCurrentIndex(2);
  toolbar->addItem(
      CollapsibleToolbarItem::CreateOverflowItem(range, QStringLiteral("Frame Slider Range"), 8, 2, nullptr));
  toolbar->addWidget(new VerticalDivider);
  toolbar->addItem(CollapsibleToolbarItem::CreateOverflowItem(makeButton(QStringLiteral("I"), QString()),
                                                              QStringLiteral("Set In"), 10, 3, group));
  toolbar->addItem(CollapsibleToolbarItem::CreateOverflowItem(
      makeButton(QStringLiteral("Play"), QStringLiteral("TransportPlayForwards")), QStringLiteral("Play"), 12,
      4, nullptr));
  toolbar->addItem(CollapsibleToolbarItem::CreateOverflowItem(makeButton(QStringLiteral("O"), QString()),
                                                              QStringLiteral("Set Out"), 10, 5, group));
  toolbar->addStretch();
  auto* narrow = new CollapsibleToolbar;
  narrow->addItem(CollapsibleToolbarItem::CreateOverflowItem(
      makeButton(QStringLiteral("A long label"), QString()), QStringLiteral("A long label"), 1, 0, nullptr));
  narrow->addItem(CollapsibleToolbarItem::CreateOverflowItem(
      makeButton(QStringLiteral("Stop"), QStringLiteral("TransportStop")), QStringLiteral("Stop"), 5, 1,
      nullptr));
  narrow->setFixedWidth(70);

  auto* knobs = new DraggableToolbar;
  auto* edit = new DragButton;
  edit->setIcon(QIcon(QStringLiteral("icons:ControlPanelBin/edit_on.png")));
  edit->setAutoRaise(true);
  edit->setCheckable(true);
  knobs->pushWidget(edit);
  knobs->addPersistentWidget(new VerticalDivider);
  for (const char* type : {"double",  "position_2d", "position_3d",   "size_wh",   "bbox",
                           "size",    "uv",          "integer",       "color_rgb", "color_rgba",
                           "boolean", "tcl_button",  "python_button", "pulldown",  "cascading_pulldown",
                           "menu",    "string",      "filename",      "tab",       "group",
                           "text",    "divider"}) {
    auto* knob = new DragButton;
    const QString path =
        QStringLiteral("icons:ControlPanelBin/CustomKnobPanelIcons/%1.png").arg(QLatin1String(type));
    knob->setIcon(
        QIcon(QFileInfo(path).isFile() ? path : QStringLiteral("icons:ControlPanelBin/knob_default.png")));
    knob->setToolTip(QString::fromLatin1(type));
    knob->setAutoRaise(true);
    knob->setFixedSize(20, 20);
    knobs->pushWidget(knob);
  }
  auto* defaultKnob = new DragButton;
  defaultKnob->setIcon(QIcon(QStringLiteral("icons:ControlPanelBin/knob_default.png")));
  defaultKnob->setAutoRaise(true);
  defaultKnob->setFixedSize(20, 20);
  knobs->pushWidget(defaultKnob);

  layout->addWidget(Caption(QStringLiteral("Collapsible tool bar, wide and narrow (folded into \u00bb):")));
  layout->addWidget(toolbar);
  layout->addWidget(narrow);
  layout->addWidget(Caption(QStringLiteral("Draggable tool bar of knob buttons:")));
  layout->addWidget(knobs);
  return page;
}

QWidget* Gallery::makeSpinBoxes() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  auto* plain = new DoubleSpinBox;
  plain->setValue(0.5);
  auto* drag = new DragDoubleSpinBox;
  drag->setValue(1.25);
  auto* channels = new QWidget;
  auto* channelLayout = new QHBoxLayout(channels);
  channelLayout->setContentsMargins(0, 0, 0, 0);
  const QColor colours[] = {QColor(220, 60, 60), QColor(60, 190, 60), QColor(70, 110, 230)};
  const double values[] = {0.18, 0.42, 1.5};
  for (int channel = 0; channel < 3; ++channel) {
    auto* box = new ColorDoubleSpinBox(colours[channel]);
    box->setValue(values[channel]);
    channelLayout->addWidget(box);
  }
  auto* picker = new ColorPicker;
  picker->setColor(0.9f, 0.45f, 0.1f, 1.0f, false);
  form->addRow(QStringLiteral("Double spin box"), plain);
  form->addRow(QStringLiteral("Drag spin box"), drag);
  form->addRow(QStringLiteral("Colour channels"), channels);
  form->addRow(QStringLiteral("Colour picker"), picker);
  return page;
}

QWidget* Gallery::makeSmallWidgets() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  auto* labels = new QWidget;
  auto* labelRow = new QHBoxLayout(labels);
  labelRow->setContentsMargins(0, 0, 0, 0);
  auto* fps = new ToolbarLabel(QStringLiteral("23.98 fps"));
  auto* warning = new ToolbarLabel(QStringLiteral("20.0 fps"));
  warning->setTextColor(Qt::red);
  auto* elided = new ToolbarLabel(QStringLiteral("A very long tool-bar label"));
  elided->setElideMode(Qt::ElideRight);
  elided->setMaximumWidth(90);
  elided->setFixedWidth(90);
  for (ToolbarLabel* label : {fps, warning, elided}) {
    label->setFrameShape(QFrame::StyledPanel);
    labelRow->addWidget(label);
  }
  labelRow->addStretch();

  // Text in its own colour where it stands out, else in black or white.
  auto* contrast = new QWidget;
  auto* contrastRow = new QHBoxLayout(contrast);
  contrastRow->setContentsMargins(0, 0, 0, 0);
  const std::pair<QColor, QColor> pairs[] = {{QColor(128, 128, 128), QColor(128, 128, 128)},
                                             {QColor(40, 40, 40), Qt::black},
                                             {QColor(255, 255, 0), Qt::white},
                                             {QColor(230, 70, 40), QColor(20, 30, 60)}};
  for (const auto& [text, background] : pairs) {
    auto* swatch = new QLabel(QStringLiteral("Aa %1").arg(text.name()));
    swatch->setAutoFillBackground(true);
    swatch->setMargin(4);
    QPalette colours = swatch->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Velloro::ContrastingColor(text, background));
    swatch->setPalette(colours);
    contrastRow->addWidget(swatch);
  }
  contrastRow->addStretch();

  auto* model = new QStandardItemModel(1, 5, page);
  const QVariant cells[] = {QColor(200, 60, 40), QColor(60, 160, 90), QStringLiteral("#3050f0"),
                            QStringLiteral("no colour"), QColor(250, 220, 60)};
  for (int column = 0; column < 5; ++column) {
    model->setData(model->index(0, column), cells[column]);
  }
  auto* table = new QTableView;
  table->setModel(model);
  table->setItemDelegate(new Velloro::ColourItemDelegate(Velloro::ColourItemDelegate::Square, table));
  table->horizontalHeader()->setDefaultSectionSize(44);
  table->verticalHeader()->hide();
  table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + table->rowHeight(0) + 4);
  table->setFixedWidth(5 * 44 + 4);

  auto* poster = new ChoiceButton;
  for (const auto& [name, value] : Velloro::PosterFrameSettingNames()) {
    poster->addItem(QString::fromStdString(name), nullptr, nullptr, true);
  }
  poster->setCurrentIndex(Velloro::Middle);
  auto* hover = new QLineEdit(QStringLiteral("focus follows the mouse"));
  Velloro::RegisterForHoverFocus(*hover);

  Velloro::UI::InfoBubble bubble;
  bubble.setMessage(QStringLiteral("Frames 1001\u20131100 are cached.\nAny key closes this note."));
  auto* bubbleShot = new QLabel;
  bubbleShot->setPixmap(bubble.grab());

  layout->addWidget(Caption(QStringLiteral("Tool-bar labels (plain, warning, elided):")));
  layout->addWidget(labels);
  layout->addWidget(Caption(QStringLiteral("Contrasting text colours:")));
  layout->addWidget(contrast);
  layout->addWidget(Caption(QStringLiteral("Colour cells (a cell without a colour is cross-hatched):")));
  layout->addWidget(table);
  layout->addWidget(
      Row({Caption(QStringLiteral("Poster frame")), poster, Caption(QStringLiteral("Hover focus")), hover}));
  layout->addWidget(Row({Caption(QStringLiteral("Info bubble")), bubbleShot}));
  return page;
}

QWidget* Gallery::makePreview() {
  const QString picture = m_samples.filePath(QStringLiteral("sunset.png"));
  SamplePicture(1920, 1080).save(picture);
  FilePreview* image = FilePreviewFactory::instance()->create(nullptr, FilePreview::eDetailed);
  image->setFile(picture);
  image->setMinimumHeight(220);
  // One panel only: every panel shows the one shared preview picture, which a panel with
  // nothing to show would clear.
  return image;
}

QWidget* Gallery::makeCursorFrame() {
  // The cursor op's CPU path over a 480 x 270 frame, at twice its usual size.
  PictureIop frame(SamplePicture(480, 270));
  std::unique_ptr<KX::Image::Iop> cursor(
      dynamic_cast<KX::Image::Iop*>(KX::Image::DrawCursorShaderOp::sDescription.build()(nullptr)));
  cursor->set_input(0, &frame);
  cursor->knob("displayResolution")->set_values({480, 270});
  cursor->knob("cursorPosition")->set_values({0.38, 0.62});
  cursor->knob("cursorScale")->set_value(2);
  cursor->validate();
  const KX::Image::ImagePlane plane = cursor->renderImage();
  QImage drawn(plane.width(), plane.height(), QImage::Format_RGB32);
  for (int y = 0; y < plane.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(drawn.scanLine(plane.height() - 1 - y));
    for (int x = 0; x < plane.width(); ++x) {
      const float* pixel = plane.pixel(x, y);
      line[x] =
          qRgb(int(pixel[0] * 255.0f + 0.5f), int(pixel[1] * 255.0f + 0.5f), int(pixel[2] * 255.0f + 0.5f));
    }
  }
  auto* label = new QLabel;
  label->setPixmap(QPixmap::fromImage(drawn));
  return label;
}

QWidget* Gallery::makeViewPickers() {
  auto stereo = std::make_shared<Velloro::ViewDataModel>();
  auto* controls = new Velloro::StereoControls(stereo);
  stereo->setUpViewsForStereo();

  auto menuViews = std::make_shared<Velloro::ViewDataModel>();
  menuViews->setViews(
      {Velloro::View("left", QColor()), Velloro::View("centre", QColor()), Velloro::View("right", QColor())});
  menuViews->setDisplayMode(Velloro::ViewButton::eDropDownMenu);
  auto* menu = new Velloro::ViewButton(menuViews, true, true, true);
  menu->setMenuTitle(QStringLiteral("View"));
  menu->update(1);

  auto longNames = std::make_shared<Velloro::ViewDataModel>();
  longNames->setViews({Velloro::View("main", QColor(90, 200, 240)),
                       Velloro::View("witness_camera_left_overscan_plate_v003", QColor(240, 180, 60))});
  longNames->setShowColours(true);
  auto* buttons = new Velloro::ViewButton(longNames, true, true, false);
  buttons->update(0);

  m_viewModels = {stereo, menuViews, longNames};
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(
      Caption(QStringLiteral("Stereo controls: primary on the hero, secondary on the other view:")));
  layout->addWidget(Row({controls}));
  layout->addWidget(Caption(QStringLiteral(
      "Drop-down menu of three views; buttons in the views' colours, a long name cut short:")));
  layout->addWidget(Row({menu, buttons}));
  return page;
}

QWidget* Gallery::makeKnobEditor() {
  auto* page = new QWidget;
  auto* idle = new Velloro::UserKnobEditor(page);
  auto* editing = new Velloro::UserKnobEditor(page);
  editing->setEditingEnabled(true);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Caption(QStringLiteral("Editing off, then on (drag a knob onto a panel):")));
  layout->addWidget(Row({idle->createToolbar(page)}));
  layout->addWidget(Row({editing->createToolbar(page)}));
  return page;
}

QWidget* Gallery::makePixelAnalyser() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* viewer = new GalleryViewer(page);
  auto& manager = Velloro::PixelAnalyser::PixelAnalyserManager::Get();
  Velloro::PixelAnalyser::PixelAnalyserWidget* panel = manager.createPixelAnalyserWidget();
  layout->addWidget(panel);
  layout->addStretch();
  viewer->m_sampler.sample();
  // The average of the box, whose brightest pixels are over 1.
  if (auto* average = panel->findChildren<ColorSampleButton*>().value(3)) {
    average->click();
  }
  return page;
}

bool Gallery::saveScreenshots(const QString& folder) {
  if (!QDir().mkpath(folder)) {
    return false;
  }
  // The rendering itself is profiled, so the trace shows the event graph export at work.
  Tessel::UI::EventGraph graph;
  Velloro::EventGraphSettings::SetEnabled(true);
  Velloro::EventTrackProxy track(QStringLiteral("Gallery screenshots"), QColor(214, 160, 48), 1, 1, 0);

  resize(1180, 1600);
  show();
  QCoreApplication::processEvents();
  if (QWidget* focused = QApplication::focusWidget()) {
    focused->clearFocus();
  }
  QCoreApplication::processEvents();
  bool written = true;
  const QDir directory(folder);
  int frame = 0;
  auto save = [&](QWidget* widget, const QString& name) {
    const QString path = directory.filePath(name + QStringLiteral(".png"));
    Velloro::EventAdderProxy timing(
        &track, std::make_shared<Velloro::UI::EventUserDataFileAndFrame>(path.toStdString(), frame++), false);
    written = widget->grab().save(path) && written;
  };
  save(this, QStringLiteral("gallery"));
  for (const Group& group : m_groups) {
    save(group.box, group.fileName);
  }
  written = graph.writeChromeTrace(directory.filePath(QStringLiteral("gallery-trace.json"))) && written;
  Velloro::EventGraphSettings::SetEnabled(false);
  return written;
}
