// Writes an HTML file as RTF through Swing's editor kits: the HTML kit reads the page into a
// document, its text and character formatting are copied into a plain styled document, and the
// RTF kit writes that, as a Swing editor would save it. Usage: java SwingRtf.java IN.html OUT.rtf
import java.awt.Color;
import java.awt.Font;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.InputStreamReader;
import java.io.OutputStream;
import java.io.Reader;
import java.nio.charset.StandardCharsets;
import javax.swing.text.AttributeSet;
import javax.swing.text.DefaultStyledDocument;
import javax.swing.text.Element;
import javax.swing.text.SimpleAttributeSet;
import javax.swing.text.StyleConstants;
import javax.swing.text.html.CSS;
import javax.swing.text.html.HTML;
import javax.swing.text.html.HTMLDocument;
import javax.swing.text.html.HTMLEditorKit;
import javax.swing.text.html.StyleSheet;
import javax.swing.text.rtf.RTFEditorKit;

public class SwingRtf {
  public static void main(String[] args) throws Exception {
    HTMLEditorKit htmlKit = new HTMLEditorKit();
    HTMLDocument html = (HTMLDocument) htmlKit.createDefaultDocument();
    html.putProperty("IgnoreCharsetDirective", Boolean.TRUE);
    try (Reader in = new InputStreamReader(new FileInputStream(args[0]), StandardCharsets.UTF_8)) {
      htmlKit.read(in, html, 0);
    }
    DefaultStyledDocument styled = new DefaultStyledDocument();
    copy(html, html.getDefaultRootElement(), styled);
    try (OutputStream out = new FileOutputStream(args[1])) {
      new RTFEditorKit().write(out, styled, 0, styled.getLength());
    }
  }

  // Appends the text of every leaf under `element`, with its formatting, to `styled`.
  static void copy(HTMLDocument html, Element element, DefaultStyledDocument styled) throws Exception {
    if (!element.isLeaf()) {
      for (int i = 0; i < element.getElementCount(); i++) copy(html, element.getElement(i), styled);
      return;
    }
    AttributeSet attrs = element.getAttributes();
    String text = html.getText(element.getStartOffset(), element.getEndOffset() - element.getStartOffset());
    // A Swing document has no line break inside a paragraph: Enter starts a new one.
    Object name = attrs.getAttribute(StyleConstants.NameAttribute);
    if (name == HTML.Tag.BR) text = "\n";
    if (name == HTML.Tag.IMG) return;
    for (Element e = element; e != null; e = e.getParentElement()) {
      AttributeSet a = e.getAttributes();
      if (a.getAttribute(StyleConstants.NameAttribute) == HTML.Tag.HEAD) return;
      // Notes as LibreOffice writes them in HTML: a Swing document has no notes, so the marks
      // ("sdfootnoteanc") and the note texts (<div id="sdfootnote1">) are left out.
      Object id = a.getAttribute(HTML.Attribute.ID);
      if (id != null && id.toString().matches("sd(foot|end)note[0-9]+")) return;
    }
    Object anchor = attrs.getAttribute(HTML.Tag.A);
    if (anchor instanceof AttributeSet) {
      Object cls = ((AttributeSet) anchor).getAttribute(HTML.Attribute.CLASS);
      if (cls != null && cls.toString().matches("sd(foot|end)noteanc")) return;
    }
    StyleSheet sheet = html.getStyleSheet();
    Font font = sheet.getFont(attrs);
    SimpleAttributeSet format = new SimpleAttributeSet();
    StyleConstants.setBold(format, font.isBold());
    StyleConstants.setItalic(format, font.isItalic());
    StyleConstants.setFontFamily(format, font.getFamily());
    StyleConstants.setFontSize(format, font.getSize());
    Color colour = sheet.getForeground(attrs);
    // Set on every run: the RTF kit writes a colour change only where the attribute is present.
    if (colour != null) StyleConstants.setForeground(format, colour);
    Object decoration = attrs.getAttribute(CSS.Attribute.TEXT_DECORATION);
    String decorations = decoration == null ? "" : decoration.toString();
    StyleConstants.setUnderline(format, attrs.isDefined(HTML.Tag.U) || decorations.contains("underline"));
    StyleConstants.setStrikeThrough(format, attrs.isDefined(HTML.Tag.STRIKE) || attrs.isDefined(HTML.Tag.S)
        || decorations.contains("line-through"));
    Object vertical = attrs.getAttribute(CSS.Attribute.VERTICAL_ALIGN);
    String verticals = vertical == null ? "" : vertical.toString();
    StyleConstants.setSuperscript(format, attrs.isDefined(HTML.Tag.SUP) || verticals.contains("super"));
    StyleConstants.setSubscript(format, attrs.isDefined(HTML.Tag.SUB) || verticals.contains("sub"));
    styled.insertString(styled.getLength(), text, format);
  }
}
