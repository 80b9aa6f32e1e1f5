#include <gtest/gtest.h>

#include <string>

#include "CBrowserDocument.h"
#include "HtmlParserFakes.h"
#include "HtmlRendererFakes.h"

namespace preview {
namespace {

constexpr std::u16string_view kBase = u"file://C:\\site\\page.html";

struct Page {
  explicit Page(std::u16string_view html, bool withHost = true)
      : document(withHost ? &host : nullptr, measurer, decoder, true) {
    document.Load(html, u"Arial", 15, 0, kBase, PageOrigin::RecoveredFile);
    LayoutArea area{0, 0, 402, 300};
    document.Layout(area);
  }
  FakeBrowserHost host;
  FakeTextMeasurer measurer;
  FakeImageDecoder decoder;
  CBrowserDocument document;
};

TEST(BrowserDocumentTest, FormFieldsBecomeHostControls) {
  Page page(u"<form action=find method=POST><input name=q value=\"a b\" maxlength=5><input type=password size=3>"
            u"<input type=submit value=Go name=s><input type=radio name=r value=1><input type=checkbox value=on>"
            u"<input type=hidden name=h value=v><input type=unknown><select name=c><option value=1>One"
            u"<option value=2 selected>Two &amp; more</select><textarea name=t cols=4 rows=2>hi</textarea></form>"
            u"<form><input type=image src=go.gif width=20></form><input size=99999>");
  ASSERT_EQ(page.host.forms.size(), 2u);
  EXPECT_EQ(page.host.forms[0], "file://C:\\site\\find POST");
  EXPECT_EQ(page.host.forms[1], "file://C:\\site\\ get");
  const std::vector<std::string> expected = {
      "edit 10 5 78x19 a b q f0",
      "edit 3 0 29x19  password  f0",
      "button 22x19 Go s f0",
      "radio 13x13 1 r f0",
      "check 13x13 on  f0",
      "edit 10 0 0x0 v h f0",
      "combo 94x19 One=1 Two & more=2 sel1 c f0",
      "edit -1 0 32x34 hi multi t f0",
      "edit 500 0 3508x19   f-1",
  };
  EXPECT_EQ(page.host.controls, expected);
  EXPECT_EQ(page.host.moved.size(), expected.size());
  // The image button of the second form submits it.
  EXPECT_EQ(std::u16string(page.document.Links().GetRow(0).Get(0)), u"Submit(1)");
}

TEST(BrowserDocumentTest, WithoutAHostFieldsArePaintedByTheRenderer) {
  Page page(u"<form action=x><input value=typed></form>", false);
  ASSERT_EQ(page.document.Elements().size(), 1u);
  const BrowserElement& field = *page.document.Elements()[0];
  EXPECT_EQ(field.control, kNoControl);
  EXPECT_EQ(field.text, u"typed");
  RecordingCanvas canvas;
  page.document.Paint(canvas, HtmlRect{0, 0, 400, 300}, 0, 0);
  ASSERT_GE(canvas.fills.size(), 3u);
  EXPECT_EQ(canvas.fills[1].colour, 0xFFFFFFu);    // the field's white background
  EXPECT_EQ(canvas.fills[2].colour, kFrameGrey);   // a sunken frame: grey top and left
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0], "typed@2,4");         // inside the two-pixel frame
}

TEST(BrowserDocumentTest, HitTestingFindsTheLinkUnderThePointer) {
  Page page(u"<title> Hits </title>plain <a href=\"next.html\">go</a><table><tr><td><a href=in.html>cell</a></table>");
  EXPECT_EQ(page.host.title, u"Hits");
  const BrowserElement* go = nullptr;
  for (const auto& e : page.document.Elements())
    if (e->text == u"go") go = e.get();
  ASSERT_NE(go, nullptr);

  page.document.OnMouseMove(go->x + 1, go->y + 1);
  page.document.OnMouseMove(0, 0);
  page.document.OnClick(go->x + go->width - 1, go->y + go->height - 1);
  ASSERT_EQ(page.host.hovered.size(), 2u);
  EXPECT_EQ(page.host.hovered[0], u"file://C:\\site\\next.html");
  EXPECT_EQ(page.host.hovered[1], u"-");
  ASSERT_EQ(page.host.clicked.size(), 1u);
  EXPECT_EQ(page.host.clicked[0], u"file://C:\\site\\next.html");

  // A link inside a table cell is found through its box.
  const BrowserElement* cell = nullptr;
  for (const auto& e : page.document.Elements())
    if (e->kind == kElementBox) cell = e.get();
  ASSERT_NE(cell, nullptr);
  const BrowserElement& inner = *cell->children.front();
  page.document.OnClick(inner.x + 1, inner.y + 1);
  ASSERT_EQ(page.host.clicked.size(), 2u);
  EXPECT_EQ(page.host.clicked[1], u"file://C:\\site\\in.html");

  // The hovered link paints red and asks for a redraw of its runs.
  page.document.OnMouseMove(go->x + 1, go->y + 1);
  RecordingCanvas canvas;
  page.document.Paint(canvas, HtmlRect{0, 0, 400, 300}, 0, 0);
  EXPECT_NE(std::find(canvas.texts.begin(), canvas.texts.end(), "go@" + std::to_string(go->x) + "," +
                                                                    std::to_string(go->y) + " red u"),
            canvas.texts.end());
  page.document.InvalidateLink(u"file://C:\\site\\next.html");
  ASSERT_EQ(page.host.redrawn.size(), 1u);
  EXPECT_EQ(page.host.redrawn[0].left, go->x);
}

TEST(BrowserDocumentTest, SelectionTakesWholeLinesBetweenItsEnds) {
  Page page(u"aa bb<br>cc dd<br>ee ff");
  const auto& e = page.document.Elements();
  auto run = [&](std::u16string_view text) -> const BrowserElement& {
    for (const auto& element : e)
      if (element->text == text) return *element;
    return *e.front();
  };
  const BrowserElement& aa = run(u"aa");
  const BrowserElement& ee = run(u"ee");
  // Dragged from the first word straight down to the start of the third line.
  page.document.SelectRect(HtmlRect{aa.x + 1, aa.y + 1, ee.x + 1, ee.y + 1});
  EXPECT_TRUE(run(u"aa").selected);
  EXPECT_TRUE(run(u"bb").selected);
  EXPECT_TRUE(run(u"cc").selected);
  EXPECT_TRUE(run(u"dd").selected);
  EXPECT_TRUE(run(u"ee").selected);
  EXPECT_FALSE(run(u"ff").selected);
  page.document.SelectRect(HtmlRect{aa.x + 1, aa.y + 1, aa.x + 1, aa.y + 1});  // a click clears it
  EXPECT_FALSE(run(u"aa").selected);
}

TEST(BrowserDocumentTest, ImagesAreFetchedByAPoolAndRemoteOnesOfARecoveredPageNever) {
  FakeBrowserHost host;
  host.fetchDelayMs = 30;
  std::u16string html;
  for (int i = 0; i < 20; ++i) {
    html += u"<img src=i" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u".gif>";
    host.images[u"file://C:\\site\\i" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u".gif"] = "4x4";
  }
  html += u"<img src=\"http://tracker.example/p.gif\"><img src=\"file://\\\\server\\share\\s.gif\">";
  html += u"<body background=ia.gif><img src=ia.gif>";
  FakeTextMeasurer measurer;
  FakeImageDecoder decoder;
  {
    CBrowserDocument document(&host, measurer, decoder, true);
    document.Load(html, u"Arial", 15, 0, kBase, PageOrigin::RecoveredFile);
    LayoutArea area{0, 0, 402, 300};
    document.Layout(area);  // waits for every image
    int items = 0, images = 0, links = 0, level = 0;
    document.GetStats(items, images, links, level);
    EXPECT_EQ(images, 23);  // ia.gif as background and inline is two images; twice inline, one
    EXPECT_EQ(document.Elements()[20]->width, kPlaceholderWidth);
    EXPECT_EQ(document.Elements()[21]->width, kPlaceholderWidth);
  }
  EXPECT_LE(host.mostRunning.load(), kMaxImageDownloads);
  EXPECT_GE(host.mostRunning.load(), 2);
  for (const std::u16string& url : host.fetched) EXPECT_EQ(url.find(u"http:"), std::u16string::npos);
  for (const std::u16string& url : host.fetched) EXPECT_EQ(url.find(u"server"), std::u16string::npos);
  EXPECT_EQ(host.fetched.size(), 21u);
  ASSERT_EQ(host.loaded.size(), 23u);
  EXPECT_EQ(host.loaded.back(), std::make_pair(23, 23));
}

TEST(BrowserDocumentTest, ABrowsedPageMayFetchRemoteImages) {
  Page page(u"");
  page.document.Load(u"<img src=t.gif>", u"Arial", 15, 0, u"http://host.example/a.html", PageOrigin::Browsing);
  LayoutArea area{0, 0, 402, 300};
  page.document.Layout(area);
  ASSERT_EQ(page.host.fetched.size(), 1u);
  EXPECT_EQ(page.host.fetched[0], u"http://host.example/t.gif");
}

}  // namespace
}  // namespace preview
