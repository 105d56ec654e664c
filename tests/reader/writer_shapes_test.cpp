// Documents shaped as each writer writes them, read whole: the constructs every writer uses, in
// its own words and order.
#include <string>

#include <gtest/gtest.h>

#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kWriters[] = {
    // Word 2003 to 2013: "}\pard\plain" paragraphs of "\rtlch...\ltrch" runs, a style sheet with
    // table styles, a list of Symbol bullets, a hyperlink field with its data, a footnote inside a run,
    // a row with its definition repeated before "\row", and the header, theme and data store groups.
    {"Word",
     R"x({\rtf1\adeflang1025\ansi\ansicpg1251\uc1\adeff0\deff0\stshfdbch0\stshfloch0\stshfhich0\stshfbi0\deflang1049\deflangfe1049{\fonttbl{\f0\froman\fcharset204\fprq2{\*\panose 02020603050405020304}Times New Roman;}{\f1\fswiss\fcharset204\fprq2{\*\panose 020b0604020202020204}Arial;}
{\f3\froman\fcharset2\fprq2{\*\panose 05050102010706020507}Symbol;}}{\colortbl;\red0\green0\blue0;\red0\green0\blue255;}{\*\defchp \fs22\lang1049}{\stylesheet{\ql \li0\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs24\alang1025 \ltrch\fcs0 \fs24\lang1049\langfe1049\cgrid\langnp1049\langfenp1049 \snext0 \sqformat \spriority0 Normal;}
{\s1\ql \li0\ri0\sb240\sa60\keepn\widctlpar\wrapdefault\aspalpha\aspnum\faauto\outlinelevel0\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \ab\af1\afs32\alang1025 \ltrch\fcs0 \b\f1\fs32\lang1049\langfe1049\kerning32\loch\f1\hich\af1\dbch\af0\cgrid\langnp1049\langfenp1049 \sbasedon0 \snext0 \slink15 \sqformat heading 1;}{\*\cs10 \additive \ssemihidden Default Paragraph Font;}{\*
\ts11\tsrowd\trftsWidthB3\trpaddl108\trpaddr108\trpaddfl3\trpaddft3\trpaddfb3\trpaddfr3\tblind0\tblindtype3\tsvertalt\tsbrdrt\tsbrdrl\tsbrdrb\tsbrdrr\tsbrdrdgl\tsbrdrdgr\tsbrdrh\tsbrdrv \ql \li0\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs20\alang1025 \ltrch\fcs0 \fs20\lang1024\langfe1024\cgrid\langnp1024\langfenp1024 \snext11 \ssemihidden Normal Table;}{\*\cs15 \additive \rtlch\fcs1 \af0 \ltrch\fcs0 \ul\cf2 \sbasedon10 Hyperlink;}{\*\cs16 \additive \super \sbasedon10 footnote reference;}}
{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1\lvltentative{\leveltext\leveltemplateid68747265\'01\u-3913 ?;}{\levelnumbers;}\f3\fbias0 \fi-360\li720\lin720 }{\listname ;}\listid100}}{\*\listoverridetable{\listoverride\listid100\listoverridecount0\ls1}}
{\*\rsidtbl \rsid123\rsid456}{\mmathPr\mmathFont34\mbrkBin0}{\info{\title \'cf\'f0\'e8\'ec\'e5\'f0}{\author Ivan}{\operator Ivan}{\creatim\yr2012\mo1\dy1\hr10\min5}{\version1}{\nofpages1}}{\*\xmlnstbl {\xmlns1 http://schemas.microsoft.com/office/word/2003/wordml}}
\paperw11906\paperh16838\margl1701\margr850\margt1134\margb1134\gutter0\ltrsect \deftab708\widowctrl\ftnbj\aenddoc\trackmoves0\trackformatting1\donotembedsysfont1{\*\wgrffmtfilter 2450}\nofeaturethrottle1\ilfomacatclnup0{\*\ftnsep \ltrpar \pard\plain \ltrpar\ql {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \chftnsep \par }}
\ltrpar \sectd \ltrsect\linex0\headery708\footery708\colsx708\endnhere\sectlinegrid360\sectdefaultcl\sftnbj {\header \ltrpar \pard\plain \ltrpar\s18\ql {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 header text\par }}{\*\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang {\pntxta .}}\pard\plain \ltrpar\s1\ql \li0\ri0\sb240\sa60\keepn\widctlpar\wrapdefault\aspalpha\aspnum\faauto\outlinelevel0\adjustright\rin0\lin0\itap0\pararsid1 \rtlch\fcs1 \ab\af1\afs32\alang1025 \ltrch\fcs0 \b\f1\fs32\lang1049\langfe1049\kerning32\loch\af1\hich\af1\dbch\af0\cgrid\langnp1049\langfenp1049 {\rtlch\fcs1 \af1 \ltrch\fcs0 \insrsid1 \'c7\'e0\'e3\'ee\'eb\'ee\'e2\'ee\'ea}{\rtlch\fcs1 \af1 \ltrch\fcs0 \insrsid1 
\par }\pard\plain \ltrpar\ql \li0\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs24\alang1025 \ltrch\fcs0 \fs24\lang1049\langfe1049\cgrid\langnp1049\langfenp1049 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \'d2\'e5\'ea\'f1\'f2 }{\rtlch\fcs1 \af0 \ltrch\fcs0 \b\insrsid1 \'e6\'e8\'f0\'ed\'fb\'e9}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1  \'e8 }{\field\fldedit{\*\fldinst {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1  HYPERLINK "http://example.ru/" }{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 {\*\datafield 
00d0c9ea79f9bace118c8200aa004ba90b0200000017000000130000006800740074007000}}}{\fldrslt {\rtlch\fcs1 \af0 \ltrch\fcs0 \cs15\ul\cf2\insrsid1 \'f1\'f1\'fb\'eb\'ea\'e0}}}\sectd \ltrsect\linex0\endnhere\sectlinegrid360\sectdefaultcl\sftnbj {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 .}{\rtlch\fcs1 \af0 \ltrch\fcs0 \cs16\super\insrsid1 \chftn {\footnote \ltrpar \pard\plain \ltrpar\s17\ql \li0\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs20\alang1025 \ltrch\fcs0 \fs20\lang1049\langfe1049\cgrid\langnp1049\langfenp1049 {\rtlch\fcs1 \af0 \ltrch\fcs0 \cs16\super\insrsid1 \chftn }{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1  \'d1\'ed\'ee\'f1\'ea\'e0}}}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 
\par }{\listtext\pard\plain\ltrpar \rtlch\fcs1 \af0\afs24 \ltrch\fcs0 \f3\fs24\lang1049\langfe1049\langnp1049\langfenp1049\insrsid1 \loch\af3\dbch\af0\hich\f3 \'b7\tab}\pard\plain \ltrpar\ql \fi-360\li720\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\ls1\adjustright\rin0\lin720\itap0 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \'ef\'f3\'ed\'ea\'f2
\par }\trowd \irow0\irowband0\lastrow \ltrrow\ts11\trgaph108\trleft-108\trbrdrt\brdrs\brdrw10 \trftsWidth1\trftsWidthB3\trpaddl108\trpaddr108\trpaddfl3\trpaddfr3\tblrsid1\tbllkhdrrows\tbllklastrow\tbllkhdrcols\tbllklastcol\tblind0\tblindtype3 \clvertalt\clbrdrt\brdrs\brdrw10 \cltxlrtb\clftsWidth3\clwWidth4785\clshdrawnil \cellx4677\clvertalt\clbrdrt\brdrs\brdrw10 \cltxlrtb\clftsWidth3\clwWidth4786\clshdrawnil \cellx9463\pard\plain \ltrpar\ql \li0\ri0\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0 \rtlch\fcs1 \af0\afs24\alang1025 \ltrch\fcs0 \fs24\lang1049\langfe1049\cgrid\langnp1049\langfenp1049 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 A1\cell B1\cell }\pard\plain \ltrpar\ql \li0\ri0\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0 \rtlch\fcs1 \af0\afs24\alang1025 \ltrch\fcs0 \fs24\lang1049\langfe1049\cgrid\langnp1049\langfenp1049 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 \trowd \irow0\irowband0\lastrow \ltrrow\ts11\trgaph108\trleft-108 \cellx4677\cellx9463\row }\pard\plain \ltrpar\ql \li0\ri0\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 {\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1 
\par }{\*\themedata 504b030414000600}{\*\colorschememapping 3c3f786d6c}{\*\latentstyles\lsdstimax267\lsdlockeddef0{\lsdlockedexcept \lsdqformat1 \lsdpriority0 \lsdlocked0 Normal;}}{\*\datastore 010500000200000018000000}}
)x",
     R"x(p h1 | {b}"Заголовок"
p | "Текст " {b}"жирный" " и " <link http://example.ru/> {u}"ссылка" </link> "." <note 0>
p list=1/0 "•" | "пункт"
table
 row left=-108
  cell right=4677
   p | "A1"
  cell right=9463
   p | "B1"
p |
note 0 footnote
 p | " Сноска"
title "Пример"
author "Ivan"
)x"},
    // WordPad (RichEdit): bare words between paragraph marks, "\pntext" lists of both kinds, a
    // table, Unicode with fallback and an unquoted hyperlink.
    {"WordPad",
     R"x({\rtf1\ansi\ansicpg1251\deff0\nouicompat\deflang1049{\fonttbl{\f0\fnil\fcharset204 Calibri;}{\f1\fnil\fcharset2 Symbol;}}
{\colortbl ;\red255\green0\blue0;}
{\*\generator Riched20 10.0.19041}\viewkind4\uc1 
\pard\sa200\sl276\slmult1\qc\b\f0\fs28\lang1049\'c7\'e0\'e3\'ee\'eb\'ee\'e2\'ee\'ea\b0\fs22\par
\pard\sa200\sl276\slmult1\'d2\'e5\'ea\'f1\'f2 \cf1\i\'ea\'f0\'e0\'f1\'ed\'fb\'e9\cf0\i0  \ul\'ef\'ee\'e4\'f7\'e5\'f0\'ea\'ed\'f3\'f2\ulnone\par

\pard{\pntext\f1\'B7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}}\fi-360\li720\sa200\sl276\slmult1\'ef\'e5\'f0\'e2\'fb\'e9\par
{\pntext\f1\'B7\tab}\'e2\'f2\'ee\'f0\'ee\'e9\par

\pard{\pntext\f0 1.\tab}{\*\pn\pnlvlbody\pnf0\pnindent0\pnstart1\pndec{\pntxta.}}
\fi-360\li720\sa200\sl276\slmult1 one\par
{\pntext\f0 2.\tab}two\par
\trowd\trgaph108\trleft-108\trbrdrl\brdrs\brdrw10 \cellx3000\cellx6000 
\pard\intbl\widctlpar a\cell b\cell\row 
\pard\sa200\sl276\slmult1 \u1071?\u1079?{\field{\*\fldinst{HYPERLINK https://example.com/ }}{\fldrslt{https://example.com/\ul0\cf0}}}\f0\fs22\par
}
)x",
     R"x(p center | {b}"Заголовок"
p | "Текст " {i}"красный" " " {u}"подчеркнут"
p list=0/0 "•" | "первый"
p list=0/0 "•" | "второй"
p list=0/0 "1." | "one"
p list=0/0 "2." | "two"
table
 row left=-108
  cell right=3000
   p | "a"
  cell right=6000
   p | "b"
p | "Яз" <link https://example.com/> "https://example.com/" </link>
)x"},
    // LibreOffice: "\pgndec\pard\plain" paragraphs with no brace before them, "\loch" run
    // prefixes with the text on the next line, "\hyphen" groups in styles, bullets as Unicode, two
    // lists, a footnote, a bookmark, and a table with a vertical merge and shading.
    {"LibreOffice",
     R"x({\rtf1\ansi\deff3\adeflang1025
{\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}{\f1\froman\fprq2\fcharset2 Symbol;}{\f2\fswiss\fprq2\fcharset0 Arial;}{\f3\froman\fprq2\fcharset204 Liberation Serif{\*\falt Times New Roman};}{\f4\fswiss\fprq2\fcharset204 Liberation Sans{\*\falt Arial};}{\f5\fnil\fprq2\fcharset0 OpenSymbol{\*\falt Arial Unicode MS};}{\f6\fnil\fprq2\fcharset0 Noto Sans CJK SC;}}
{\colortbl;\red0\green0\blue0;\red0\green0\blue128;\red221\green221\blue221;}
{\stylesheet{\s0\snext0\widctlpar\hyphpar0\ltrpar\cf0\kerning1\dbch\af6\langfe2052\dbch\af7\afs24\alang1081\loch\f3\hich\af3\fs24\lang1049 Normal;}
{\s1\sbasedon15\snext16\ilvl0\outlinelevel0\sb240\sa120\keepn\ltrpar\b\dbch\af6\dbch\af7\afs36\ab\loch\f4\hich\af4\fs36 Heading 1;}
{\s15\sbasedon0\snext16\sb240\sa120\keepn\ltrpar\dbch\af6\loch\f4\hich\af4\fs28 Heading;}
{\*\cs17\cf2\ul\ulc0\langfe255\alang255\lang255 Internet Link;}
{\*\cs18\super Footnote Characters;}
{\s20\sbasedon0\snext20\li339\ri0\lin339\rin0\fi-339\ltrpar\sz20\fs20 Footnote;}
}{\*\listtable{\list\listtemplateid1
{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1\levelindent0{\leveltext \'01\u8226 ?;}{\levelnumbers;}\f5\fi-360\li720}
{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1\levelindent0{\leveltext \'01\u9702 ?;}{\levelnumbers;}\f5\fi-360\li1080}\listid1}
{\list\listtemplateid2
{\listlevel\levelnfc0\levelnfcn0\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext \'02\'00.;}{\levelnumbers\'01;}\fi-360\li720}
{\listlevel\levelnfc4\levelnfcn4\leveljc0\leveljcn0\levelfollow0\levelstartat1{\leveltext \'02\'01.;}{\levelnumbers\'01;}\fi-360\li1080}\listid2}
}{\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}{\listoverride\listid2\listoverridecount0\ls2}}{\*\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}{\info{\title \'d2\'e5\'f1\'f2}{\creatim\yr2024\mo1\dy1\hr1\min1}{\revtim\yr0\mo0\dy0\hr0\min0}{\printim\yr0\mo0\dy0\hr0\min0}}{\*\userprops{\propname x}\proptype30{\staticval y}}\deftab709
\hyphauto1\viewscale100
{\*\pgdsctbl
{\pgdsc0\pgdscuse451\pgwsxn11906\pghsxn16838\marglsxn1134\margrsxn1134\margtsxn1134\margbsxn1134\pgdscnxt0 Default Page Style;}}
\formshade{\*\pgdscno0}\paperh16838\paperw11906\margl1134\margr1134\margt1134\margb1134\sectd\sbknone\sftnnar\saftnnrlc\sectunlocked1\pgwsxn11906\pghsxn16838\marglsxn1134\margrsxn1134\margtsxn1134\margbsxn1134\ftnbj\ftnstart1\ftnrstcont\ftnnar\aenddoc\aftnrstcont\aftnstart1\aftnnrlc\htmautsp
{\*\ftnsep\chftnsep}\pgndec\pard\plain \s1\ilvl0\outlinelevel0\sb240\sa120\keepn\ltrpar\b\dbch\af6\dbch\af7\afs36\ab\loch\f4\hich\af4\fs36{\rtlch \ltrch\loch
\'c7\'e0\'e3\'ee\'eb\'ee\'e2\'ee\'ea}
\par \pard\plain \s0\widctlpar\hyphpar0\ltrpar\cf0\kerning1\dbch\af6\langfe2052\dbch\af7\afs24\alang1081\loch\f3\hich\af3\fs24\lang1049{\*\bkmkstart here}{\rtlch \ltrch\loch
\'d2\'e5\'ea\'f1\'f2 }{\*\bkmkend here}{\b\ab\rtlch \ltrch\loch
\'e6\'e8\'f0\'ed\'fb\'e9}{\rtlch \ltrch\loch
 }{\field{\*\fldinst HYPERLINK "http://example.org/" }{\fldrslt {\cs17\cf2\ul\ulc0\langfe255\alang255\lang255\rtlch \ltrch\loch
link}{}}}{\rtlch \ltrch\loch
.}{\super\chftn}{\footnote\pard\plain\s20\li339\ri0\lin339\rin0\fi-339\ltrpar\sz20\fs20{\super\chftn}{\rtlch \ltrch\loch
\tab \'d1\'ed\'ee\'f1\'ea\'e0}}
\par \pard\plain \s0\ltrpar\loch\f3\hich\af3\fs24{\listtext\pard\plain \u8226\'95\tab}\ilvl0\ls1 \li720\ri0\lin720\rin0\fi-360{\rtlch \ltrch\loch
\'ef\'e5\'f0\'e2\'fb\'e9}
\par \pard\plain \s0\ltrpar\loch\f3\hich\af3\fs24{\listtext\pard\plain \u9702\'3f\tab}\ilvl1\ls1 \li1080\ri0\lin1080\rin0\fi-360{\rtlch \ltrch\loch
\'e2\'eb\'ee\'e6\'e5\'ed\'ed\'fb\'e9}
\par \pard\plain \s0\ltrpar\loch\f3\hich\af3\fs24{\listtext\pard\plain 1.\tab}\ilvl0\ls2 \li720\ri0\lin720\rin0\fi-360{\rtlch \ltrch\loch
one}
\par \pard\plain \s0\ltrpar\loch\f3\hich\af3\fs24{\listtext\pard\plain 2.\tab}\ilvl0\ls2 \li720\ri0\lin720\rin0\fi-360{\rtlch \ltrch\loch
two}
\par \trowd\trql\trleft-55\ltrrow\trpaddft3\trpaddt55\trpaddfl3\trpaddl55\trpaddfb3\trpaddb55\trpaddfr3\trpaddr55\clbrdrt\brdrs\brdrw10\brdrcf1\clbrdrl\brdrs\brdrw10\brdrcf1\clbrdrb\brdrs\brdrw10\brdrcf1\clvmgf\clcbpat3\cellx4819\clbrdrt\brdrs\brdrw10\brdrcf1\clbrdrl\brdrs\brdrw10\brdrcf1\clbrdrb\brdrs\brdrw10\brdrcf1\clbrdrr\brdrs\brdrw10\brdrcf1\cellx9638\pgndec\pard\plain \s27\intbl\ltrpar{\rtlch \ltrch\loch
A1}\cell\pard\plain \s27\intbl\ltrpar{\rtlch \ltrch\loch
B1}\cell\row\pard\trowd\trql\trleft-55\ltrrow\clvmrg\clcbpat3\cellx4819\cellx9638\pard\plain \s27\intbl\ltrpar\cell\pard\plain \s27\intbl\ltrpar{\rtlch \ltrch\loch
B2}\cell\row\pard\pard\plain \s0\ltrpar{\rtlch \ltrch\loch
\'ea\'ee\'ed\'e5\'f6}
\par }
)x",
     R"x(p h1 | {b}"Заголовок"
p | <bookmark here> "Текст " {b}"жирный" " " <link http://example.org/> {u}"link" </link> "." <note 0>
p list=1/0 "•" | "первый"
p list=1/1 "◦" | "вложенный"
p list=2/0 "1." | "one"
p list=2/0 "2." | "two"
table
 row left=-55
  cell right=4819 v=first bgdddddd
   p | "A1"
  cell right=9638
   p | "B1"
 row left=-55
  cell right=4819 v=continue bgdddddd
   p |
  cell right=9638
   p | "B2"
p | "конец"
note 0 footnote
 p | <tab> "Сноска"
title "Тест"
)x"},
    // AbiWord: the style repeated in every run group, "\listtag" groups, Unicode letters with
    // one-byte fallbacks, a list, a table and a footnote.
    {"AbiWord",
     R"x({\rtf1\ansi\ansicpg1252\deff0{\fonttbl
{\f0\froman\fcharset0\fprq2 Times New Roman;}
{\f1\fswiss\fcharset204\fprq2 Arial;}
}
{\colortbl\red0\green0\blue0;\red0\green0\blue255;}
{\stylesheet
{\s1\fs24\snext1 Normal;}
{\s2\sb240\sa60\keepn\b\f1\fs32\kerning32\sbasedon1\snext1 Heading 1;}
}
{\*\listtable{\list\listtemplateid1001\listsimple{\listlevel\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}}\listid1001}}
{\*\listoverridetable{\listoverride\listid1001\listoverridecount0\ls1}}
\kerning0\cf0\ftnbj\fet2\ftnstart1\ftnnar\aftnnar\ftnstart1\aftnstart1\aenddoc\revprop3{\info}\deftab720\viewkind1\paperw11905\paperh16837\margl1440\margr1440\widowctl
\sectd\sbknone\colsx360\marglsx1440\margrsx1440\pgncont\ltrsect
\pard\plain\ltrpar\ql\sb240\sa60\keepn\s2\itap0{\s2\b\f1\fs32\lang1049\kerning32{\*\listtag0}\abinodiroverride\ltrch \'cf\'f0\'e8\'e2\'e5\'f2}{\s2\b\f1\fs32\lang1049\kerning32{\*\listtag0}\par}
\pard\plain\ltrpar\ql\s1\itap0{\s1\f0\fs24\lang1049{\*\listtag0}\abinodiroverride\ltrch\uc1\u1058 T\u1077 e\u1082 k\u1089 c\u1090 t }{\s1\b\f0\fs24{\*\listtag0}bold}{\s1\f0\fs24{\*\listtag0}\par}
{\listtext\pard\plain\s1 \f0\fs24 1.\tab}\pard\plain\ltrpar\ql\fi-360\li720\s1\ls1\ilvl0\itap0{\s1\f0\fs24{\*\listtag1001}\abinodiroverride\ltrch item}{\s1\f0\fs24{\*\listtag1001}\par}
\trowd\trgaph60\trleft0\cellx4680\cellx9360\pard\plain\intbl\ltrpar\ql\s1{\s1\f0\fs24 a}\cell\pard\plain\intbl\ltrpar\ql\s1{\s1\f0\fs24 b}\cell\row
\pard\plain\ltrpar\ql\s1\itap0{\s1\f0\fs24 x{\super\chftn}{\footnote\pard\plain\s1\fs20 {\super\chftn} note}}{\s1\f0\fs24\par}
}
)x",
     R"x(p h1 | {b}"Привет"
p | "Текст " {b}"bold"
p list=1/0 "1." | "item"
table
 row left=0
  cell right=4680
   p | "a"
  cell right=9360
   p | "b"
p | "x" <note 0>
note 0 footnote
 p | " note"
)x"},
    // pandoc: every paragraph in its own group, headings by outline level, the older bullet as
    // text, a newer list item with "\listtext", a link and a footnote written as "{\*\footnote".
    {"Pandoc",
     R"x({\rtf1\ansi\deff0{\fonttbl{\f0 \fswiss Helvetica;}{\f1 \fmodern Courier;}}
{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\widowctrl\hyphauto

{\pard \qc \f0 \sa180 \li0 \fi0 \b \fs36 Title\par}
{\pard \ql \f0 \sa180 \li0 \fi0 \outlinelevel0 \b \fs32 Heading\par}
{\pard \ql \f0 \sa180 \li0 \fi0 Some {\i emphasis}, {\b strong}, {\f1 code}, H{\sub 2}O, x{\super 2}, \u1055?\u1088?\u1080?.\par}
{\pard \ql \f0 \sa0 \li360 \fi-360 \bullet \tx360\tab one\par}
{\pard \ql \f0 \fs24 \sa0 \li1080 \fi-360\ls1\ilvl0\tx360 {\listtext\tab 1.\tab} item one\par}
{\pard \ql \f0 \sa180 \li0 \fi0 A {\field{\*\fldinst{HYPERLINK "https://pandoc.org"}}{\fldrslt{\ul
link
}}}
 and a note{\super\chftn}{\*\footnote\chftn\~\plain\pard \ql \f0 \sa180 \li0 \fi0 The note.\par}
.\par}
}
)x",
     R"x(p center | {b}"Title"
p h1 | {b}"Heading"
p | "Some " {i}"emphasis" ", " {b}"strong" ", " "code" ", H" {sub}"2" "O, x" {sup}"2" ", При."
p | "•" <tab> "one"
p list=1/0 "1." | " item one"
p | "A " <link https://pandoc.org> {u}"link" </link> " and a note" <note 0> "."
note 0 footnote
 p | " The note."
)x"},
    // TextEdit (Cocoa): paragraphs ended by "\" and a line end, "\expandedcolortbl", a list with
    // tabs written as such inside "\listtext", and Unicode without fallbacks.
    {"TextEdit",
     R"x({\rtf1\ansi\ansicpg1252\cocoartf2639
\cocoatextscaling0\cocoaplatform0{\fonttbl\f0\fswiss\fcharset0 Helvetica;\f1\fswiss\fcharset0 Helvetica-Bold;}
{\colortbl;\red255\green255\blue255;\red255\green0\blue0;}
{\*\expandedcolortbl;;\cssrgb\c100000\c0\c0;}
{\*\listtable{\list\listtemplateid1\listhybrid{\listlevel\levelnfc23\levelnfcn23\leveljc0\leveljcn0\levelfollow0\levelstartat1\levelspace360\levelindent0{\*\levelmarker \{disc\}}{\leveltext\leveltemplateid1\'01\uc0\u8226 ;}{\levelnumbers;}\fi-360\li720\lin720 }{\listname ;}\listid1}}
{\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}}
\paperw11900\paperh16840\margl1440\margr1440\vieww11520\viewh8400\viewkind0
\pard\tx566\tx1133\pardirnatural\partightenfactor0

\f0\fs24 \cf0 Plain \
\f1\b bold
\f0\b0  \cf2 red\cf0 \
H\sub 2\nosupersub O\
\pard\tx220\tx720\li720\fi-720\pardirnatural\partightenfactor0
\ls1\ilvl0\cf0 {\listtext	\uc0\u8226 	}one\
{\listtext	\uc0\u8226 	}two\
\pard\pardirnatural\partightenfactor0
\cf0 \uc0\u1055 \u1088 \u1080 \u1074 \u1077 \u1090 }
)x",
     R"x(p | "Plain "
p | {b}"bold" " " "red"
p | "H" {sub}"2" "O"
p list=1/0 "•" | "one"
p list=1/0 "•" | "two"
p | "Привет"
)x"},
};

class WriterShapesTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(WriterShapesTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Writers, WriterShapesTest, ::testing::ValuesIn(kWriters), SnippetName);

}  // namespace
}  // namespace tessarine::testing
