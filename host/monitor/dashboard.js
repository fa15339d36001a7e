// The monitor's dashboard: draws the instrument's banner, the rows, the timeline and the FIA
// trace from the JSON the host embeds in the page, then follows the run's events.
'use strict';

const token = new URLSearchParams(location.search).get('token') || '';
const withToken = path => path + (path.includes('?') ? '&' : '?') + 'token=' + encodeURIComponent(token);
const svgNs = 'http://www.w3.org/2000/svg';
const states = ['done', 'failed', 'running', 'interrupted', 'waiting'];

let data = JSON.parse(document.getElementById('initial').textContent);
let receivedAt = Date.now();
// The row whose trace is shown: the running row unless the user chose another.
let chosenRow = 0;

function element(tag, attributes = {}, text = '') {
  const node = tag.startsWith('svg:') ? document.createElementNS(svgNs, tag.slice(4)) : document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
  if (text !== '') node.textContent = text;
  return node;
}
const cssName = text => text.replace(/ /g, '-');
const seconds = iso => (iso ? Date.parse(iso) / 1000 : 0);
// The host's time now: the data's time moved on by what passed since it came.
const hostNow = () => seconds(data.time) + (Date.now() - receivedAt) / 1000;
const clock = t => (t ? new Date(t * 1000).toLocaleTimeString([], { hour: '2-digit', minute: '2-digit', second: '2-digit' }) : '');
function duration(s) {
  s = Math.max(0, Math.round(s));
  const h = Math.floor(s / 3600), m = Math.floor((s % 3600) / 60), r = String(s % 60).padStart(2, '0');
  return h ? `${h}:${String(m).padStart(2, '0')}:${r}` : `${m}:${r}`;
}

function fact(value, label, className = '') {
  const node = element('div', { class: 'fact ' + className });
  node.append(element('b', {}, String(value)), element('span', {}, label));
  return node;
}

function drawBanner() {
  const banner = document.getElementById('banner');
  if (!banner) return;
  const interrupted = data.run === 'interrupted';
  const state = interrupted ? 'interrupted' : data.instrumentState;
  banner.className = 'card ' + cssName(state);
  banner.replaceChildren(element('div', { class: 'state', id: 'instrument-state' }, state));
  banner.append(fact(data.instrument || 'Instrument', 'instrument'));
  if (!data.group) {
    banner.append(element('div', { class: 'message' }, 'No group has run since the host started.'));
    return;
  }
  const p = data.progress;
  banner.append(fact(data.group, 'group ' + (interrupted ? '(run interrupted)' : data.run)));
  const done = p.ended >= p.rows;
  banner.append(fact(p.runningRow ? `row ${p.ended + 1} of ${p.rows}` : `${p.ended} of ${p.rows} ended`,
                     p.runningRow ? `running row ${p.runningRow}` : done ? 'rows' : 'rows ended'));
  banner.append(fact(p.failed, 'failed', p.failed ? 'failed' : ''));
  if (p.expectedEnd) banner.append(fact(clock(seconds(p.expectedEnd)), 'expected end'));
  if (data.message) banner.append(element('div', { class: 'message' }, 'Last message: ' + data.message));
}

function drawRows() {
  const table = document.getElementById('rows');
  table.replaceChildren();
  const head = element('tr');
  for (const title of ['Row', 'Method', 'Data file', 'State', 'Start', 'End', 'Time', 'Message']) head.append(element('th', {}, title));
  table.append(head);
  const now = hostNow();
  for (const row of data.rows) {
    const start = seconds(row.start), end = seconds(row.end);
    const started = start > 0 && row.state !== 'waiting';
    const tr = element('tr', { class: cssName(row.state) + (started ? ' clickable' : '') + (row.row === shownRow() ? ' shown' : '') });
    const pill = element('span', { class: 'pill ' + cssName(row.state) }, row.state);
    const state = element('span');
    state.append(pill);
    // A row whose results QC failed or made suspect says so beside its state.
    if (row.qc) state.append(' ', element('span', { class: 'pill qc-' + row.qc, title: 'QC: results ' + row.qc }, row.qc));
    const cells = [row.row, row.method, row.dataFile, state, clock(start), clock(end),
                   started ? duration((end || now) - start) : '', row.message];
    for (const cell of cells) { const td = element('td'); td.append(cell); tr.append(td); }
    if (started) tr.addEventListener('click', () => { chosenRow = row.row; drawRows(); drawTrace(); });
    table.append(tr);
  }
}

function niceStep(span) {
  for (const step of [10, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 14400, 21600, 43200, 86400])
    if (span / step <= 8) return step;
  return 86400 * Math.ceil(span / 86400 / 8);
}

function drawTimeline() {
  const svg = document.getElementById('timeline');
  const now = hostNow();
  const started = data.rows.filter(row => seconds(row.start) > 0 && row.state !== 'waiting');
  const label = 150, width = 900, bar = 16, gap = 5, top = 22;
  const height = top + data.rows.length * (bar + gap) + 24;
  svg.replaceChildren();
  svg.setAttribute('viewBox', `0 0 ${label + width + 20} ${height}`);
  svg.setAttribute('width', label + width + 20);
  svg.setAttribute('height', height);
  const running = data.run === 'running';
  const first = Math.min(...started.map(row => seconds(row.start)), running ? now : Infinity);
  let last = Math.max(...started.map(row => seconds(row.end) || now), running ? now : 0,
                      data.progress ? seconds(data.progress.expectedEnd) : 0);
  if (!isFinite(first)) { svg.append(element('svg:text', { x: label, y: 15 }, 'No row has started yet.')); return; }
  if (last <= first) last = first + 60;
  const x = t => label + ((t - first) / (last - first)) * width;
  const step = niceStep(last - first);
  const axisY = top + data.rows.length * (bar + gap);
  svg.append(element('svg:line', { class: 'axis', x1: label, x2: label + width, y1: axisY, y2: axisY }));
  for (let t = Math.ceil(first / step) * step; t <= last; t += step) {
    svg.append(element('svg:line', { class: 'grid', x1: x(t), x2: x(t), y1: top - 4, y2: axisY }));
    svg.append(element('svg:text', { x: x(t), y: axisY + 14, 'text-anchor': 'middle' },
                       new Date(t * 1000).toLocaleTimeString([], step < 60 ? {} : { hour: '2-digit', minute: '2-digit' })));
  }
  data.rows.forEach((row, i) => {
    const y = top + i * (bar + gap);
    svg.append(element('svg:text', { x: 0, y: y + bar - 4 }, `${row.row} ${row.method}`));
    const start = seconds(row.start);
    if (!start || row.state === 'waiting') return;
    const end = seconds(row.end) || now;
    const rect = element('svg:rect', { class: cssName(row.state), x: x(start), y, height: bar, rx: 2,
                                       width: Math.max(2, x(end) - x(start)) });
    const when = `${clock(start)}–${row.end ? clock(end) : 'now'} (${duration(end - start)})`;
    rect.append(element('svg:title', {}, `Row ${row.row} ${row.method}: ${row.state}, ${when}${row.message ? '. ' + row.message : ''}`));
    svg.append(rect);
  });
  if (running || data.progress) {
    svg.append(element('svg:line', { class: 'now', x1: x(now), x2: x(now), y1: top - 8, y2: axisY }));
    svg.append(element('svg:text', { class: 'now', x: x(now) + 3, y: top - 10 }, 'now'));
  }
}

function drawLegend() {
  const legend = document.getElementById('legend');
  legend.replaceChildren();
  for (const state of states) {
    const item = element('span');
    item.append(element('i', { style: `background: var(--${state})` }), state);
    legend.append(item);
  }
}

const shownRow = () => chosenRow || (data.progress ? data.progress.runningRow : 0);

// The running row's signal as the page brought it, drawn before anything is fetched.
let broughtSignal = typeof initialSignal === 'undefined' ? null : initialSignal;

function drawTrace() {
  const section = document.getElementById('trace-section');
  const row = shownRow();
  if (!row || !data.group) { section.hidden = true; return; }
  if (broughtSignal && broughtSignal.row === row && broughtSignal.group === data.group) {
    showTrace(row, broughtSignal);
    broughtSignal = null;
    return;
  }
  fetch(withToken(`/api/signal?group=${encodeURIComponent(data.group)}&row=${row}`))
    .then(answer => (answer.ok ? answer.json() : null)).catch(() => null)
    .then(trace => showTrace(row, trace));
}

function showTrace(row, trace) {
  const section = document.getElementById('trace-section');
  section.hidden = false;
  const entry = data.rows.find(r => r.row === row) || {};
  document.getElementById('trace-title').textContent =
    `Signal of row ${row} ${entry.method || ''}` + (entry.state === 'running' ? ' (acquiring)' : '');
  const svg = document.getElementById('trace');
  svg.replaceChildren();
  const points = trace ? trace.signal : [];
  if (!points.length) { svg.append(element('svg:text', { x: 60, y: 20 }, 'No signal was acquired for this row.')); return; }
  const left = 50, width = 900, height = 220, bottom = height - 24;
  const tMax = Math.max(points[points.length - 1][0], 1);
  const values = points.map(p => p[1]);
  const vMin = Math.min(...values), vMax = Math.max(...values, vMin + 1);
  const x = t => left + (t / tMax) * width, y = v => 8 + (1 - (v - vMin) / (vMax - vMin)) * (bottom - 16);
  svg.setAttribute('viewBox', `0 0 ${left + width + 20} ${height}`);
  svg.setAttribute('width', left + width + 20);
  svg.setAttribute('height', height);
  svg.append(element('svg:line', { class: 'axis', x1: left, x2: left + width, y1: bottom, y2: bottom }));
  svg.append(element('svg:line', { class: 'axis', x1: left, x2: left, y1: 4, y2: bottom }));
  const tStep = niceStep(tMax) / 10 >= 1 ? niceStep(tMax) / 10 : 1;
  for (let t = 0; t <= tMax; t += tStep * Math.ceil(tMax / tStep / 10))
    svg.append(element('svg:text', { x: x(t), y: bottom + 14, 'text-anchor': 'middle' }, `${Math.round(t)} s`));
  for (const v of [vMin, (vMin + vMax) / 2, vMax])
    svg.append(element('svg:text', { x: left - 4, y: y(v) + 4, 'text-anchor': 'end' }, v.toFixed(1)));
  svg.append(element('svg:text', { x: left + 4, y: 12 }, 'mAU'));
  svg.append(element('svg:polyline', { class: 'signal', points: points.map(p => `${x(p[0]).toFixed(1)},${y(p[1]).toFixed(1)}`).join(' ') }));
  const peaks = document.getElementById('peaks');
  peaks.replaceChildren();
  const head = element('tr');
  for (const title of ['Injection', 'Location', 'Sample', 'Retention (s)', 'Height (mAU)', 'Area (mAU·s)']) head.append(element('th', {}, title));
  peaks.append(head);
  for (const peak of trace.peaks) {
    const top = points.reduce((best, p) => (Math.abs(p[0] - peak.time) < Math.abs(best[0] - peak.time) ? p : best), points[0]);
    const mark = element('svg:path', { class: 'peak', d: `M${x(top[0])},${y(top[1]) - 3} l-4,-7 h8 z` });
    mark.append(element('svg:title', {}, `Injection ${peak.injection}, ${peak.sample}: height ${peak.height} mAU, area ${peak.area} mAU·s`));
    svg.append(mark, element('svg:text', { class: 'peak', x: x(top[0]), y: y(top[1]) - 12, 'text-anchor': 'middle' }, peak.injection));
    const tr = element('tr');
    for (const cell of [peak.injection, peak.location, peak.sample, peak.retention, peak.height, peak.area]) tr.append(element('td', {}, String(cell)));
    peaks.append(tr);
  }
  if (!trace.peaks.length) peaks.append(element('tr', {}, entry.state === 'running' ? 'The peak table comes at the method\'s end.' : 'No peaks.'));
}

function drawAll() {
  drawBanner();
  drawRows();
  drawTimeline();
  drawTrace();
  const asOf = document.getElementById('as-of');
  if (asOf) asOf.textContent = 'As of ' + new Date(seconds(data.time) * 1000).toLocaleString();
}

drawLegend();
drawAll();
if (document.getElementById('banner')) {
  const events = new EventSource(withToken('/events'));
  events.onmessage = event => { data = JSON.parse(event.data); receivedAt = Date.now(); drawAll(); };
  // Between events the running row's bar grows and its trace is acquired.
  setInterval(() => { if (data.run === 'running') { drawRows(); drawTimeline(); drawTrace(); } }, 2000);
}
