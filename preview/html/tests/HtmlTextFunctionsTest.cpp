#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlAttributes.h"
#include "HtmlColours.h"
#include "HtmlEntities.h"
#include "HtmlUrl.h"

namespace preview {
namespace {

struct TextCase {
  std::u16string input;
  std::u16string expected;
};

TEST(HtmlEntitiesTest, DecodesNamedNumericAndBareCharacters) {
  const std::vector<TextCase> cases = {
      {u"&copy; 2004", u"\u00A9 2004"},
      {u"&#65;BC", u"ABC"},
      {u"&#65 B", u"AB"},                       // a space ends a reference and is consumed
      {u"&#65x", u"Ax"},                        // so does anything else, which stays
      {u"&foo; &AMP; &amp", u"&foo; &AMP; &amp"},  // unknown, wrong case, unterminated
      {u"&lt;b&gt; &quot;x&quot; &amp;amp;", u"<b> \"x\" &amp;"},
      {u"&nbsp;|\u00A0|\u0097", u"\u00A0| |-"},
      {u"&OElig;&scaron;&ndash;&mdash;&ldquo;&rdquo;&euro;&trade;&hellip;", u"Es--\"\"\u20AC\u2122\u2026"},
      {u"&Yuml;&yuml;&szlig;&THORN;", u"\u00FF\u00FF\u00DF\u00DE"},
      {u"&#128512;", u"\U0001F600"},
      {u"&#;&#x41;&", u"&#;&#x41;&"},
      {u"&#0;&#55296;&#99999999999999999999;", u"\uFFFD\uFFFD\uFFFD"},  // no NUL, no lone surrogate, no overflow
      {std::u16string(u"a\0&lt;b", 7), std::u16string(u"a\0<b", 4)},    // a NUL does not end the text
      {u"&#", u"&#"},
  };
  for (const TextCase& c : cases) {
    std::u16string text = c.input;
    EXPECT_EQ(DecodeHtmlEntities(text), c.expected);
  }
}

TEST(HtmlEntitiesTest, RepairsLatin1ReadAsUtf8Pairs) {
  const std::vector<TextCase> cases = {
      {u"caf\u00C3\u00A9", u"caf\u00E9"},
      {u"\u00C2\u00A0\u00C2\u00BF\u00C3\u0080\u00C3\u00BF", u"\u00A0\u00BF\u00C0\u00FF"},
      {u"\u00C2\u0080\u00C3\u00C0\u00C3", u"\u00C2\u0080\u00C3\u00C0\u00C3"},  // not a pair of the 96
  };
  for (const TextCase& c : cases) {
    std::u16string text = c.input;
    EXPECT_EQ(DecodeUtf8Latin1(text), c.expected);
  }
}

TEST(HtmlColoursTest, NamesAndHexValuesGiveTheSameColourRef) {
  EXPECT_EQ(LookupHtmlColour(u"#FF8000"), 0x000080FFu);
  EXPECT_EQ(LookupHtmlColour(u"FF8000"), 0x000080FFu);
  EXPECT_EQ(LookupHtmlColour(u"#ff0000"), 0x000000FFu);
  EXPECT_EQ(LookupHtmlColour(u"Orange"), HtmlRgb(0xFF, 0xA5, 0x00));
  EXPECT_EQ(LookupHtmlColour(u"oRaNgE"), LookupHtmlColour(u"#FFA500"));
  EXPECT_EQ(LookupHtmlColour(u"lightgoldenrodyellow"), HtmlRgb(0xFA, 0xFA, 0xD2));
  EXPECT_EQ(LookupHtmlColour(u"YellowGreen"), HtmlRgb(0x9A, 0xCD, 0x32));
}

TEST(HtmlColoursTest, ShortOrBrokenValuesReadOnlyTheirOwnCharacters) {
  EXPECT_EQ(LookupHtmlColour(u"#FF"), HtmlRgb(0xFF, 0, 0));
  EXPECT_EQ(LookupHtmlColour(u"#F"), HtmlRgb(0x0F, 0, 0));
  EXPECT_EQ(LookupHtmlColour(u"#"), 0u);
  EXPECT_EQ(LookupHtmlColour(u""), 0u);
  EXPECT_EQ(LookupHtmlColour(u"#ZZ12G4"), HtmlRgb(0, 0x12, 0));
  EXPECT_EQ(LookupHtmlColour(u"#F0G0C0"), HtmlRgb(0xF0, 0, 0xC0));
  // A view that is cut off in a longer buffer is not read past its end.
  const std::u16string buffer = u"#11223344";
  EXPECT_EQ(LookupHtmlColour(std::u16string_view(buffer).substr(0, 5)), HtmlRgb(0x11, 0x22, 0));
}

struct UrlCase {
  std::u16string relative;
  std::u16string base;
  std::u16string expected;
};

TEST(HtmlUrlTest, ResolvesAgainstTheBaseFolder) {
  const std::vector<UrlCase> cases = {
      {u"pic.gif", u"file://C:\\site\\index.html", u"file://C:\\site\\pic.gif"},
      {u"../pic.gif", u"file://C:\\site\\index.html", u"file://C:\\pic.gif"},
      {u"../../../pic.gif", u"file://C:\\site\\index.html", u"file://C:\\pic.gif"},
      {u"img/b.gif", u"file://C:\\pages\\a.html", u"file://C:\\pages\\img\\b.gif"},
      {u"/top.gif", u"file://C:\\site\\sub\\index.html", u"file://C:\\top.gif"},
      {u"http://other.example/x", u"file://C:\\site\\index.html", u"http://other.example/x"},
      {u"b.html", u"http://host.example/dir/a.html?q=1/2", u"http://host.example/dir/b.html"},
      {u"b.html", u"http://host.example", u"http://host.example/b.html"},
      {u"../b.html", u"http://h/d/e/a.html", u"http://h/d/b.html"},
      {u"../../../b.html", u"http://h/d/a.html", u"http://h/b.html"},
      {u"/b.html", u"http://host.example/d/e/a.html", u"http://host.example/b.html"},
      {u"a/x://y", u"http://h/", u"http://h/a/x://y"},  // "://" after the first "/" is not a scheme
  };
  for (const UrlCase& c : cases)
    EXPECT_EQ(ResolveUrl(c.relative, c.base), c.expected) << std::string(c.relative.begin(), c.relative.end());
}

TEST(HtmlUrlTest, ResultNeverExceedsItsLimit) {
  const std::u16string longName(5000, u'a');
  EXPECT_EQ(ResolveUrl(longName, u"http://h/").size(), kMaxUrlLength);
  EXPECT_EQ(ResolveUrl(u"http://" + longName, u"http://h/").size(), kMaxUrlLength);
}

TEST(HtmlUrlTest, RecoveredPagesFetchOnlyLocalFiles) {
  const std::u16string base = u"file://C:\\Temp\\recovered.html";
  struct FetchCase {
    std::u16string relative;
    bool mayFetch;
  };
  const std::vector<FetchCase> cases = {
      {u"img/logo.gif", true},
      {u"/logo.gif", true},
      {u"http://tracker.example/pixel.gif", false},
      {u"HTTPS://tracker.example/pixel.gif", false},
      {u"ftp://files.example/a.gif", false},
      {u"file://\\\\server\\share\\a.gif", false},
      {u"file:////server/share/a.gif", false},
  };
  for (const FetchCase& c : cases) {
    EXPECT_EQ(ResolveResourceUrl(c.relative, base, PageOrigin::RecoveredFile).mayFetch, c.mayFetch)
        << std::string(c.relative.begin(), c.relative.end());
  }
  EXPECT_TRUE(ResolveResourceUrl(u"http://a.example/x.gif", base, PageOrigin::Browsing).mayFetch);
}

std::vector<std::vector<std::u16string>> RowsOf(const CStringRowArray& table) {
  std::vector<std::vector<std::u16string>> rows;
  for (int r = 0; r < table.GetCount(); ++r) {
    rows.emplace_back();
    for (int i = 0; i < table.GetRow(r).GetCount(); ++i) rows.back().push_back(table.GetRow(r).Get(i));
  }
  return rows;
}

TEST(HtmlAttributesTest, SplitsNamesAndValues) {
  using Rows = std::vector<std::vector<std::u16string>>;
  struct AttributeCase {
    std::u16string tag;
    Rows expected;
  };
  const std::vector<AttributeCase> cases = {
      {u"img src=\"a b.gif\" width=50% border = 0 alt='x'>",
       {{u"src", u"a b.gif"}, {u"width", u"50%"}, {u"border", u"0"}, {u"alt", u"x"}}},
      {u"input type=checkbox checked name=c>", {{u"type", u"checkbox"}, {u"checked"}, {u"name", u"c"}}},
      {u"a\r\n\thref=x.html>rest=ignored", {{u"href", u"x.html"}}},
      {u"a href=\"never closed", {{u"href", u"never closed"}}},   // unterminated: ends with the text
      {u"a href=\"cut>off\" b=c", {{u"href", u"cut"}}},             // read up to the first ">"
      {u"a href=", {{u"href", u""}}},
      {u"a = =x", {{u"x"}}},
      {u"br", {}},
  };
  for (const AttributeCase& c : cases) {
    CStringRowArray table;
    ParseHtmlAttributes(c.tag, table);
    EXPECT_EQ(RowsOf(table), c.expected) << std::string(c.tag.begin(), c.tag.end());
  }
}

TEST(HtmlAttributesTest, LooksUpNamesIgnoringCaseAndReadsNumbers) {
  CStringRowArray table;
  ParseHtmlAttributes(u"td WIDTH=\"50%\" nowrap", table);
  ASSERT_NE(FindHtmlAttribute(table, u"width"), nullptr);
  EXPECT_EQ(std::u16string(FindHtmlAttribute(table, u"width")), u"50%");
  EXPECT_EQ(std::u16string(FindHtmlAttribute(table, u"NoWrap")), u"");
  EXPECT_EQ(FindHtmlAttribute(table, u"height"), nullptr);

  EXPECT_EQ(ReadHtmlInteger(u"50%"), 50);
  EXPECT_EQ(ReadHtmlInteger(u"+7"), 7);
  EXPECT_EQ(ReadHtmlInteger(u" -12px"), -12);
  EXPECT_EQ(ReadHtmlInteger(u"abc"), 0);
  EXPECT_EQ(ReadHtmlInteger(u"99999999999999999999"), 2147483647);
  EXPECT_EQ(ReadHtmlInteger(u"-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace preview
