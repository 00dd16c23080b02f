// The page as a player meets it: the first title frame as the native build draws it, a live play
// with bombs, a magnet, the wheel and a pause, the kept play and its download, a reload, and a
// replay file watched in the theatre. Prints the figures it measures; asserts on none of them.
'use strict';
const assert = require('assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const http = require('http');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [webDir, replayTool, work, sample] = process.argv.slice(2);
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const nativeScore = (file) => execFileSync(replayTool, [file]).toString().match(/score=(\d+)/)[1];

function serve() {
  const server = http.createServer((req, res) => {
    fs.readFile(path.join(webDir, path.normalize(req.url.split('?')[0])), (err, body) => {
      res.writeHead(err ? 404 : 200, { 'Content-Type': TYPES[path.extname(req.url)] || 'application/octet-stream' });
      res.end(err ? '' : body);
    });
  });
  return new Promise((r) => server.listen(0, '127.0.0.1', () => r(server)));
}

// A point of the game's picture in page coordinates.
async function at(page, x, y) {
  const r = await page.$eval('#screen', (c) => c.getBoundingClientRect().toJSON());
  return [r.left + (x + 0.5) * r.width / 640, r.top + (y + 0.5) * r.height / 480];
}
async function click(page, x, y, button = 'left') {
  const [px, py] = await at(page, x, y);
  await page.mouse.move(px, py);
  await sleep(60);
  await page.mouse.click(px, py, { button });
}
const cursorShown = (page, shown, timeout) =>
  page.waitForFunction((s) => QW.cursorShown === s, { timeout, polling: 100 }, shown);
const canvasBytes = (page, x = 0, y = 0, w = 640, h = 480) =>
  page.$eval('#screen', (c, r) => Array.from(c.getContext('2d').getImageData(...r).data).join(), [x, y, w, h]);
// The best scores and the settings on the title, once its picture has opened (the column beside
// them scrolls).
const titleScores = async (page) => (await sleep(1500), canvasBytes(page, 372, 30, 268, 400));

async function titleFrameMatches(page, t0) {
  await page.waitForFunction(() => window.firstTitle, { timeout: 30000 });
  console.log(`figure: navigation to the first title frame ${Date.now() - t0} ms`);
  const png = fs.readFileSync(path.join(work, 'title.png')).toString('base64');
  const differing = await page.evaluate(async (b64) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + b64;
    await img.decode();
    const c = document.createElement('canvas');
    [c.width, c.height] = [640, 480];
    c.getContext('2d').drawImage(img, 0, 0);
    const want = c.getContext('2d').getImageData(0, 0, 640, 480).data;
    let n = 0;
    for (let i = 0; i < want.length; i++) if (want[i] !== window.firstTitle[i]) n++;
    return n;
  }, png);
  assert.strictEqual(differing, 0, 'bytes of the first title frame that differ from the native one');
}

async function livePlay(page) {
  await click(page, 230, 315);  // START
  await cursorShown(page, false, 10000);
  for (let i = 0; i < 40; i++) {
    await click(page, 150 + (i * 37) % 160, 120 + (i * 53) % 300);
    if (i % 10 === 5) await click(page, 230, 250, 'right');
    if (i % 7 === 3) await page.mouse.wheel({ deltaY: i % 2 ? 100 : -100 });
    await sleep(150);
  }
  await pausesOnBlur(page, 'the first play');
  await cursorShown(page, true, 240000);
}

// A lost focus pauses a live play: nothing moves until a key resumes it.
async function pausesOnBlur(page, which) {
  await page.evaluate(() => window.dispatchEvent(new Event('blur')));
  await sleep(500);
  const paused = await canvasBytes(page);
  await sleep(1000);
  assert.ok(paused === (await canvasBytes(page)), `the picture changed while ${which} was paused`);
  await page.evaluate(() => window.dispatchEvent(new Event('focus')));
  await page.keyboard.press('Space');
}

(async () => {
  const server = await serve();
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'] });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 520 });
    page.on('pageerror', (e) => console.log('page error:', e.message));
    // The second frame the page shows (the first is the loading picture), read back from the canvas.
    await page.evaluateOnNewDocument(() => {
      const put = CanvasRenderingContext2D.prototype.putImageData;
      let n = 0;
      CanvasRenderingContext2D.prototype.putImageData = function (...args) {
        put.apply(this, args);
        if (++n === 2) window.firstTitle = this.getImageData(0, 0, 640, 480).data;
      };
    });
    const t0 = Date.now();
    await page.goto(url);
    await titleFrameMatches(page, t0);

    await livePlay(page);
    await page.waitForSelector('#plays tr', { timeout: 10000 });
    const row = await page.$eval('#plays tr', (r) => [r.dataset.name, r.querySelector('.score').textContent]);
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: path.join(work, 'downloads') });
    await page.click('#plays tr button:nth-child(2)');
    const downloaded = path.join(work, 'downloads', row[0]);
    for (let i = 0; i < 100 && !fs.existsSync(downloaded); i++) await sleep(100);
    assert.strictEqual(nativeScore(downloaded), row[1], 'the downloaded play replayed natively: its score');

    await page.waitForFunction(() => !QW.syncing && !QW.syncQueued, { timeout: 10000 });
    const config = () => page.evaluate(() => FS.readFile('/quandel/config.txt', { encoding: 'utf8' }));
    await click(page, 605, 265);  // frame skip 0: a choice the reload must keep
    const kept = { scores: await titleScores(page), settings: await config() };
    await page.reload();
    await page.waitForFunction(() => QW.frames > 2, { timeout: 30000 });
    assert.ok((await titleScores(page)) === kept.scores, 'the best scores on the title differ after a reload');
    assert.strictEqual(await config(), kept.settings, 'config.txt after a reload');
    assert.strictEqual(await page.$eval('#plays tr', (r) => r.dataset.name), row[0], 'the kept play after a reload');

    // A replay file given to the picker plays in the theatre, at 16 times the speed, to its end.
    const input = await page.$('#open');
    await input.uploadFile(sample);
    await cursorShown(page, false, 10000);
    // The README's picture of the page: QUANDEL_WEB_PICTURE=docs/web-page.png ctest -R 'web_'.
    if (process.env.QUANDEL_WEB_PICTURE) {
      await sleep(20000);
      await page.screenshot({ path: process.env.QUANDEL_WEB_PICTURE });
    }
    const t1 = Date.now();
    for (let i = 0; i < 4; i++) await page.keyboard.press('ArrowUp');
    await cursorShown(page, true, 60000);
    console.log(`figure: the sample play in the theatre at 16x ${Date.now() - t1} ms`);
    const summary = await page.evaluate(() => QW.replaySummary('/tmp/watched.qreplay'));
    assert.strictEqual(summary.split(' ')[0], nativeScore(sample), 'the watched file in the page: its score');
    await sleep(1000);
    await click(page, 230, 315);
    await cursorShown(page, false, 10000);
    await pausesOnBlur(page, 'a play after watching a file');
    console.log('web page: title frame, play, pause, kept play, download, reload and theatre as expected');
  } finally {
    await browser.close();
    server.close();
  }
})().catch((e) => {
  console.error('FAIL:', e.message);
  process.exit(1);
});
