#!/usr/bin/env python3
"""Builds the user's manual PDF from its plain-text source.

    make_manual.py SOURCE IMAGE_FOLDER OUTPUT.pdf

The source is plain text: "# " starts a chapter, "## " a section, "- " a list
item, "[picture NAME | caption]" places images/NAME.png scaled to the page's
width; other lines run together into paragraphs, which blank lines end.
Uses Debian's python3-reportlab; the same source gives the same pages."""
import os
import sys

from reportlab.lib import colors
from reportlab.lib.pagesizes import A4
from reportlab.lib.styles import ParagraphStyle, getSampleStyleSheet
from reportlab.lib.units import mm
from reportlab.platypus import (Image, KeepTogether, ListFlowable, ListItem, PageBreak, Paragraph,
                                SimpleDocTemplate, Spacer)


def escaped(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def styles():
    sheet = getSampleStyleSheet()
    body = ParagraphStyle("body", parent=sheet["BodyText"], fontName="Helvetica", fontSize=10.5, leading=14,
                          spaceAfter=6)
    return {
        "title": ParagraphStyle("title", parent=sheet["Title"], fontName="Helvetica-Bold", fontSize=24,
                                textColor=colors.HexColor("#1F4E79"), spaceAfter=18),
        "chapter": ParagraphStyle("chapter", parent=sheet["Heading1"], fontName="Helvetica-Bold", fontSize=17,
                                  textColor=colors.HexColor("#1F4E79"), spaceBefore=6, spaceAfter=10),
        "section": ParagraphStyle("section", parent=sheet["Heading2"], fontName="Helvetica-Bold", fontSize=13,
                                  textColor=colors.HexColor("#2E75B6"), spaceBefore=8, spaceAfter=6),
        "body": body,
        "caption": ParagraphStyle("caption", parent=body, fontName="Helvetica-Oblique", fontSize=9,
                                  textColor=colors.HexColor("#555555"), alignment=1),
    }


def picture(folder, name, caption, style, width):
    path = os.path.join(folder, name + ".png")
    if not os.path.isfile(path):
        raise SystemExit(f"make_manual: picture {path} is missing")
    image = Image(path)
    scale = min(1.0, width / image.imageWidth)
    image.drawWidth = image.imageWidth * scale
    image.drawHeight = image.imageHeight * scale
    return KeepTogether([image, Spacer(1, 2 * mm), Paragraph(escaped(caption), style), Spacer(1, 4 * mm)])


def flowables(lines, folder, width):
    s = styles()
    story, paragraph, items = [], [], []
    first_chapter = True

    def end_paragraph():
        if paragraph:
            story.append(Paragraph(escaped(" ".join(paragraph)), s["body"]))
            paragraph.clear()

    def end_list():
        if items:
            story.append(ListFlowable([ListItem(Paragraph(escaped(i), s["body"]), leftIndent=12) for i in items],
                                      bulletType="bullet", start="\u2022", leftIndent=12))
            items.clear()

    for raw in lines:
        line = raw.rstrip("\n")
        if line.startswith("% "):
            story.append(Paragraph(escaped(line[2:]), s["title"]))
        elif line.startswith("# "):
            end_paragraph(); end_list()
            if not first_chapter:
                story.append(PageBreak())
            first_chapter = False
            story.append(Paragraph(escaped(line[2:]), s["chapter"]))
        elif line.startswith("## "):
            end_paragraph(); end_list()
            story.append(Paragraph(escaped(line[3:]), s["section"]))
        elif line.startswith("- "):
            end_paragraph()
            items.append(line[2:])
        elif line.startswith("  ") and items:
            items[-1] += " " + line.strip()
        elif line.startswith("[picture ") and line.endswith("]"):
            end_paragraph(); end_list()
            name, _, caption = line[len("[picture "):-1].partition("|")
            story.append(picture(folder, name.strip(), caption.strip(), s["caption"], width))
        elif not line.strip():
            end_paragraph(); end_list()
        else:
            end_list()
            paragraph.append(line.strip())
    end_paragraph(); end_list()
    return story


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    source, folder, output = sys.argv[1:]
    with open(source, encoding="utf-8") as f:
        lines = f.readlines()
    margin = 20 * mm
    document = SimpleDocTemplate(output + ".tmp", pagesize=A4, leftMargin=margin, rightMargin=margin,
                                 topMargin=margin, bottomMargin=margin, title="Pelmo Windows Data Recovery",
                                 author="Pelmo", subject="User's manual", invariant=1)
    document.build(flowables(lines, folder, A4[0] - 2 * margin))
    os.replace(output + ".tmp", output)


if __name__ == "__main__":
    main()
