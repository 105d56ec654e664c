// Writes the RTF the npm module html-to-rtf makes of an HTML page: rtf_from_html.js IN.html OUT.rtf
const fs = require('fs');
const htmlToRtf = require('html-to-rtf');

const [input, output] = process.argv.slice(2);
fs.writeFileSync(output, htmlToRtf.convertHtmlToRtf(fs.readFileSync(input, 'utf8')));
