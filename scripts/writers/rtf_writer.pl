#!/usr/bin/perl
# Writes the garden document (sources/garden_ru.md) with the Perl library RTF::Writer, as a
# program that makes its RTF with it would: the library's paragraphs, escaping and prolog, raw
# RTF for what it has no call for (styles, list numbers, notes, links and bookmarks).
# Usage: rtf_writer.pl OUT.rtf
use strict;
use warnings;
use utf8;
use RTF::Writer;

my $out = shift or die "usage: $0 OUT.rtf\n";
my $rtf = RTF::Writer->new_to_file($out);
$rtf->prolog(
  'fonts' => ['Times New Roman', 'Arial'],
  'colors' => [undef, [0, 0, 255]],
  'stylesheet' => '{\stylesheet{\s0 Normal;}{\s1\sbasedon0\snext0\b\f1\fs32 heading 1;}{\s2\sbasedon0\snext0\b\f1\fs28 heading 2;}}',
  'title' => 'Весенние работы в саду',
  'author' => 'Садовый клуб',
);

sub heading {
  my ($level, @text) = @_;
  my $size = $level == 1 ? 32 : 28;
  $rtf->paragraph(\"\\s$level\\sb240\\sa120\\keepn\\b\\f1\\fs$size", @text);
}

sub body { $rtf->paragraph(\'\s0\sa120\f0\fs24', @_); }

sub footnote {
  my ($text, $endnote) = @_;
  my $kind = $endnote ? '\footnote\ftnalt' : '\footnote';
  return ([\'\super\chftn'], [\$kind, \'\pard\plain\s0\f0\fs20', [\'\super\chftn'], ' ', $text]);
}

# A list item of old-style paragraph numbering: the level's number, its marker as text.
sub item {
  my ($level, $marker, $format, $text) = @_;
  my $indent = 360 * $level;
  my $after = substr($marker, -1);
  $rtf->paragraph(\"\\s0\\fi-360\\li$indent\\f0\\fs24",
                  [\"\\*\\pn\\pnlvl$level$format\\pnindent360", [\'\pntxta', $after]],
                  [\'\pntext', $marker, \'\tab'], $text);
}

heading(1, 'Весенние работы в саду');
body('Этот короткий план составлен для дачников, которые хотят начать сезон без спешки.',
     footnote('План проверен на участке в шесть соток.'));
heading(2, 'Подготовка почвы');
body('Почву перекапывают ', [\'\b', 'на глубину штыка'], ', а ', [\'\i', 'перегной'],
     ' вносят заранее. Участок с ', [\'\ul', 'глинистой'], ' землёй рыхлят чаще. Старый совет ',
     [\'\strike', 'жечь листву'], ' давно устарел.');
body('Норма извести — 500 г на 10 м', [\'\super', '2'], '.',
     footnote('Норма взята из старого справочника агронома.', 1),
     ' Для подкормки годится раствор K', [\'\sub', '2'], 'SO', [\'\sub', '4'], '.');
heading(2, \'{\*\bkmkstart order}', 'Порядок работ', \'{\*\bkmkend order}');
item(1, '1.', '\pndec', 'Обрезать деревья');
item(2, 'a)', '\pnlcltr', 'Яблони и груши');
item(3, 'i.', '\pnlcrm', 'Сначала сухие ветви');
item(3, 'ii.', '\pnlcrm', 'Потом загущающие побеги');
item(2, 'b)', '\pnlcltr', 'Вишни');
item(1, '2.', '\pndec', 'Посадить рассаду');
item(2, 'a)', '\pnlcltr', 'Томаты после заморозков');
item(1, '3.', '\pndec', 'Установить полив');
heading(2, 'Полезные ссылки');
body('Таблица сроков посадки есть на сайте ',
     [\'\field', [\'\*\fldinst HYPERLINK "https://example.org/garden/calendar.html"'],
      [\'\fldrslt', [\'\ul\cf1', 'клуба садоводов']]], '.');
body('О поливе сказано в разделе ',
     [\'\field', [\'\*\fldinst HYPERLINK \\\\l "order"'], [\'\fldrslt', [\'\ul\cf1', 'Порядок работ']]],
     ' выше.', footnote('Ссылка ведёт на раздел этого же документа.'));
$rtf->close;
