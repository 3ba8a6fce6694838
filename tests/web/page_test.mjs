// Plays the game's page in Debian's Chromium, served from a local static server: the page
// keeps to its size and shows the first screen in time, in colour and as text; a character
// made there is loaded again after the page is reloaded; the up arrow recalls a line; a
// second tab waits for the first.
//   node tests/web/page_test.mjs WEB_FOLDER CHROMIUM
import { chromium } from 'playwright-core';
import { createServer } from 'node:http';
import { readFile, readdir, stat } from 'node:fs/promises';
import { extname, join } from 'node:path';

const [folder, chromiumPath] = process.argv.slice(2);
const pageBudget = 1.5e6; // bytes of every file the page loads together
// Milliseconds from opening the page to the main menu: within 2 s on an idle machine, and a
// shared test machine takes longer.
const firstScreenLimit = 5000;

const types = { '.html': 'text/html', '.mjs': 'text/javascript', '.js': 'text/javascript',
                '.css': 'text/css', '.wasm': 'application/wasm' };
const server = createServer(async (request, response) => {
  const name = new URL(request.url, 'http://localhost').pathname.slice(1) || 'index.html';
  try {
    const body = await readFile(join(folder, name));
    response.writeHead(200, { 'Content-Type': types[extname(name)] ?? 'application/octet-stream' });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
});
await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
const address = `http://127.0.0.1:${server.address().port}/`;

let failures = 0;
function check(passed, what) {
  console.log(`${passed ? 'ok' : 'FAILED'}: ${what}`);
  if (!passed) failures++;
}

// The page's files: everything in the folder but the Node.js game.
let pageBytes = 0;
for (const name of await readdir(folder)) {
  if (name !== 'kelmarch-node.js') pageBytes += (await stat(join(folder, name))).size;
}
check(pageBytes < pageBudget, `the page's files take ${pageBytes} bytes, under ${pageBudget}`);

const browser = await chromium.launch({
  executablePath: chromiumPath,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});
try {
  const context = await browser.newContext();
  const page = await context.newPage();
  const screenText = tab => tab.evaluate(() =>
    document.querySelector('.xterm-rows').textContent.replaceAll('\u00a0', ' '));
  const waitForText = (text, tab = page) => tab.waitForFunction(wanted =>
    document.querySelector('.xterm-rows')?.textContent.replaceAll('\u00a0', ' ').includes(wanted),
    text, { timeout: 15000 }).catch(() => { throw new Error(`"${text}" never showed`); });
  const typeLines = async (...lines) => {
    for (const line of lines) {
      await page.keyboard.type(line);
      await page.keyboard.press('Enter');
    }
  };

  const opened = Date.now();
  await page.goto(address);
  await waitForText('new game [n]');
  const firstScreen = Date.now() - opened;
  check(firstScreen < firstScreenLimit, `first screen after ${firstScreen} ms`);
  check(await page.locator('.xterm-rows span.xterm-fg-13').count() > 0,
        'the options are in bright purple');

  await typeLines('n', 'Ada', 'yes', 'warrior');
  await waitForText('VILLAGE');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('ArrowDown');
  await waitForText('warrior');
  await page.keyboard.press('Enter');
  await waitForText('Please type in one of the options in purple.');
  check(true, 'the arrows recall the lines typed before');

  const second = await context.newPage();
  await second.goto(address);
  await waitForText('open in another tab', second);
  check(!(await screenText(second)).includes('new game'), 'a second tab waits for the first');
  await second.close();

  await page.reload();
  await waitForText('load character [l]');
  await typeLines('l', 'ada');
  await waitForText('Welcome back Ada.');
  check(true, 'the character made before the reload is loaded');
} catch (error) {
  check(false, error.message);
} finally {
  await browser.close();
  server.close();
}
process.exit(failures === 0 ? 0 : 1);
