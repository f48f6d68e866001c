// The web pages in Debian's chromium, headless, driven as a user would drive
// them: node --test browser_test.mjs, with QZ370_WEB_SITE the site folder,
// QZ370_REPLAY_PNG the last frame qz370-replay --png drew of the demo script
// and QZ370_REPLAY the native qz370-replay.
import {after, before, describe, test} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {extname, join, normalize} from 'node:path';
import puppeteer from 'puppeteer-core';

const SITE = process.env.QZ370_WEB_SITE;
const REPLAY_PNG = process.env.QZ370_REPLAY_PNG;
const REPLAY = process.env.QZ370_REPLAY;
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};

// The game's scene, as the desktop test knows it: the centre of the canvas,
// the panel's SHOOT! button and the first beam a shot from rest draws.
const CENTRE_X = 297;
const CENTRE_Y = 250;
const SHOOT_X = CENTRE_X + (-295 + -220) / 2;
const SHOOT_Y = CENTRE_Y - (245 - 25 * 6 - 12);
const BEAM_TOP = CENTRE_Y - (-76 + 25);
const BEAM_LENGTH = 25;
const RED = 0xFF0000;
const FRAME_GAP_MS = 300;
const IDLE_WATCH_MS = 2000;

let server;
let base;
let browser;
let profile;
const pictures = {};  // what the server gives as /NAME.png: native pictures

function serve(request, response) {
  const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
  const file = pictures[path] || join(SITE, normalize(path).replace(/^(\.\.[/\\])+/, ''));
  try {
    const body = readFileSync(file);
    response.writeHead(200, {'Content-Type': TYPES[extname(file)] || 'application/octet-stream'});
    response.end(body);
  } catch {
    response.writeHead(404);
    response.end();
  }
}

before(async () => {
  server = createServer(serve);
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  base = `http://127.0.0.1:${server.address().port}/`;
  profile = mkdtempSync(join(tmpdir(), 'qz370-chromium-'));
  pictures['/expected.png'] = REPLAY_PNG;
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', `--user-data-dir=${profile}`],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  if (profile) rmSync(profile, {recursive: true, force: true});
});

async function open(query, file = 'index.html') {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768});
  page.on('pageerror', error => console.error('page error:', error.message));
  page.printed = [];
  page.on('console', message => page.printed.push(message.text()));
  await page.goto(base + file + query);
  await page.waitForSelector('canvas[data-class="DrawWndClass"]');
  return page;
}

// A canvas's pixels as 0xRRGGBB numbers, row by row.
function pixelsOf(page, windowClass) {
  return page.$eval(`canvas[data-class="${windowClass}"]`, canvas => {
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const pixels = [];
    for (let i = 0; i < data.length; i += 4) pixels.push((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]);
    return {width: canvas.width, height: canvas.height, pixels};
  });
}

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

async function stillFor(page, ms) {
  const before = await pixelsOf(page, 'DrawWndClass');
  await sleep(ms);
  const now = await pixelsOf(page, 'DrawWndClass');
  return before.pixels.every((pixel, i) => pixel === now.pixels[i]);
}

// How long the page's script ran while the test slept: a program that waits
// sleeps in the browser, where a busy loop would run the whole time.
async function scriptSecondsOver(page, ms) {
  const before = (await page.metrics()).ScriptDuration;
  await sleep(ms);
  return (await page.metrics()).ScriptDuration - before;
}

async function eventually(check, tries = 20) {
  for (let i = 0; i < tries; ++i) {
    if (await check()) return true;
    await sleep(100);
  }
  return false;
}

function beamColumns(picture) {
  const columns = [];
  for (let x = 0; x < picture.width; ++x) {
    let red = 0;
    for (let y = BEAM_TOP; y <= BEAM_TOP + BEAM_LENGTH; ++y) red += picture.pixels[y * picture.width + x] === RED;
    if (red >= 20) columns.push(x);
  }
  return columns;
}

async function clickClient(page, windowClass, x, y) {
  const box = await (await page.$(`canvas[data-class="${windowClass}"]`)).boundingBox();
  await page.mouse.click(box.x + x, box.y + y);
}

// The graphics canvas equals, pixel for pixel, a picture the server gives.
async function expectCanvasToEqual(page, picture) {
  const shown = await pixelsOf(page, 'DrawWndClass');
  const expected = await page.evaluate(async url => {
    const image = await createImageBitmap(await (await fetch(url)).blob());
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const data = context.getImageData(0, 0, image.width, image.height).data;
    const pixels = [];
    for (let i = 0; i < data.length; i += 4) pixels.push((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]);
    return {width: image.width, height: image.height, pixels};
  }, picture);
  assert.equal(shown.width, expected.width);
  assert.equal(shown.height, expected.height);
  const differing = shown.pixels.filter((pixel, i) => pixel !== expected.pixels[i]).length;
  assert.equal(differing, 0, `${differing} pixels differ from ${picture}`);
}

async function ctrl(page, key) {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
}

describe('the game page', () => {
  test('shows both windows, halts on Ctrl+H, shoots, and animates again from the Run menu', async () => {
    const page = await open('');
    const graphics = await pixelsOf(page, 'DrawWndClass');
    const text = await pixelsOf(page, 'TextWndClass');
    assert.ok(graphics.width > 500 && graphics.height > 400, `graphics ${graphics.width}x${graphics.height}`);
    assert.ok(text.width > 0 && text.height > 0);
    // A loaded machine may let a frame gap pass without a tick: the stars only have to move soon.
    assert.ok(await eventually(async () => !await stillFor(page, FRAME_GAP_MS)), 'the stars do not move');

    await ctrl(page, 'h');
    assert.ok(await eventually(() => stillFor(page, FRAME_GAP_MS)), 'Ctrl+H did not halt the game');
    const busy = await scriptSecondsOver(page, IDLE_WATCH_MS);
    assert.ok(busy < IDLE_WATCH_MS / 1000 / 2, `halted, the page still ran its script ${busy} s of ${IDLE_WATCH_MS} ms`);

    assert.deepEqual(beamColumns(await pixelsOf(page, 'DrawWndClass')), []);
    await clickClient(page, 'DrawWndClass', SHOOT_X, SHOOT_Y);
    assert.ok(await eventually(async () => beamColumns(await pixelsOf(page, 'DrawWndClass')).length > 0),
              'no beam after SHOOT!');

    const bar = await (await page.$('.qz370-menu-bar')).boundingBox();
    await page.mouse.click(bar.x + 10, bar.y + 8);
    await page.waitForSelector('.qz370-popup', {visible: true});
    await page.keyboard.press('Escape');
    await page.waitForSelector('.qz370-popup', {hidden: true});

    // Enter chooses the item the pointer rests on: Animate, the first.
    await page.mouse.click(bar.x + 10, bar.y + 8);
    const popup = await (await page.waitForSelector('.qz370-popup', {visible: true})).boundingBox();
    await page.mouse.move(popup.x + 30, popup.y + 10);
    await page.keyboard.press('Enter');
    await page.waitForSelector('.qz370-popup', {hidden: true});
    assert.ok(await eventually(async () => !await stillFor(page, FRAME_GAP_MS)), 'Animate was not chosen');
    await page.close();
  });

  test('plays a script given by link to its end, on the frame qz370-replay draws', {skip: !REPLAY_PNG}, async () => {
    const page = await open('?script=vortaline.scr&play');
    const status = await page.evaluate(() => window.qz370.ended);
    assert.equal(status, 0);
    await expectCanvasToEqual(page, 'expected.png');
    await page.close();
  });
});

describe('a run recorded in the page', () => {
  test('is offered as a download that replays natively to the page\'s last frame', {skip: !REPLAY}, async () => {
    const page = await open('?record');
    await sleep(FRAME_GAP_MS);
    await clickClient(page, 'DrawWndClass', SHOOT_X, SHOOT_Y);
    await sleep(FRAME_GAP_MS);
    await ctrl(page, 'h');
    assert.ok(await eventually(() => stillFor(page, FRAME_GAP_MS)), 'Ctrl+H did not halt the game');
    await ctrl(page, 'q');
    assert.equal(await page.evaluate(() => window.qz370.ended), 0);
    await page.waitForSelector('#qz370-download:not([hidden])');
    const script = await page.$eval('#qz370-download', async link =>
      Array.from(new Uint8Array(await (await fetch(link.href)).arrayBuffer())));
    const folder = mkdtempSync(join(tmpdir(), 'qz370-recorded-'));
    try {
      writeFileSync(join(folder, 'QZ370.SCR'), Buffer.from(script));
      execFileSync(REPLAY, ['--script', join(folder, 'QZ370.SCR'), '--png', join(folder, 'last.png')]);
      pictures['/recorded.png'] = join(folder, 'last.png');
      await expectCanvasToEqual(page, 'recorded.png');
    } finally {
      rmSync(folder, {recursive: true, force: true});
    }
    await page.close();
  });
});

describe('an example page', () => {
  test('the line-input dialog takes typed text back to the program', async () => {
    const page = await open('', 'greeting.html');
    await clickClient(page, 'DrawWndClass', 300, 400);
    await page.waitForFunction(() => document.querySelectorAll('.qz370-window').length === 3 &&
                                     [...document.querySelectorAll('.qz370-window')].every(w => w.style.display !== 'none'));
    await page.keyboard.type('Ada');
    await page.keyboard.press('Enter');
    assert.ok(await eventually(() => page.printed.some(line => line.startsWith('Hello, Ada!'))),
              `printed: ${page.printed.join(' | ')}`);
    await page.close();
  });
});
