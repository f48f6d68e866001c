// The page's side of the web display: an element per top-level window
// (frame, caption, menu bar, client canvas), the user's input queued for the
// program, and the wait the program sleeps in until input or its next timer.
mergeInto(LibraryManager.library, {
  $QZ370Page: {
    windows: {},  // by handle value: {element, caption, bar, client, popup}
    input: [],  // arrays of fields: kind, window, then values
    // Windows destroyed since the program last waited: hidden, and removed
    // when it goes on, but shown again if it has ended instead, so that the
    // page keeps the program's last frame.
    destroyed: [],
    wake: null,  // ends the current wait
    CAPTION: 18,
    BORDER: 3,
    CTRL_COMMANDS: 'AHFLRPOQ',

    desktop: function() {
      var desktop = document.getElementById('qz370-desktop');
      if (!desktop) {
        desktop = document.createElement('div');
        desktop.id = 'qz370-desktop';
        document.body.appendChild(desktop);
      }
      return desktop;
    },

    queue: function(fields) {
      while (fields.length < 6) fields.push(0);
      QZ370Page.input.push(fields);
      if (QZ370Page.wake) QZ370Page.wake();
    },

    modifiers: function(event) {
      return (event.ctrlKey ? 1 : 0) | (event.shiftKey ? 2 : 0) | (event.altKey ? 4 : 0);
    },

    // The virtual-key code of a key: letters and digits by their place on
    // the keyboard, the rest by name.
    virtualKey: function(event) {
      var code = event.code || '';
      if (/^Key[A-Z]$/.test(code)) return code.charCodeAt(3);
      if (/^Digit[0-9]$/.test(code)) return code.charCodeAt(5);
      if (/^F([1-9]|1[0-2])$/.test(code)) return 0x6F + parseInt(code.substring(1), 10);
      var named = {
        Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17,
        ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19, CapsLock: 20, Escape: 27, Space: 32,
        PageUp: 33, PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39,
        ArrowDown: 40, Insert: 45, Delete: 46, Semicolon: 0xBA, Equal: 0xBB, Comma: 0xBC, Minus: 0xBD,
        Period: 0xBE, Slash: 0xBF, Backquote: 0xC0, BracketLeft: 0xDB, Backslash: 0xDC, BracketRight: 0xDD,
        Quote: 0xDE
      };
      return named[code] || 0;
    },

    // Keys go to the program while the page has the focus; the program's
    // Ctrl keys are its own, not the browser's.
    listen: function() {
      if (QZ370Page.listening) return;
      QZ370Page.listening = true;
      document.addEventListener('keydown', function(event) {
        var typed = event.key && [...event.key].length === 1 ? event.key.codePointAt(0) : 0;
        var key = QZ370Page.virtualKey(event);
        if (key === 0 && typed === 0) return;
        QZ370Page.queue([4, 0, key, typed, QZ370Page.modifiers(event)]);
        var command = event.ctrlKey && key >= 65 && key <= 90 &&
                      QZ370Page.CTRL_COMMANDS.indexOf(String.fromCharCode(key)) >= 0;
        if (command || !event.ctrlKey || key === 17) event.preventDefault();
      });
      document.addEventListener('keyup', function(event) {
        var key = QZ370Page.virtualKey(event);
        if (key !== 0) QZ370Page.queue([5, 0, key, 0, QZ370Page.modifiers(event)]);
      });
    },

    element: function(id) {
      var found = QZ370Page.windows[id];
      if (found) return found;
      var element = document.createElement('div');
      element.className = 'qz370-window';
      element.style.cssText = 'position:absolute;box-sizing:border-box;background:#c0c0c0;' +
          'border:' + QZ370Page.BORDER + 'px outset #dfdfdf;';
      var caption = document.createElement('div');
      caption.className = 'qz370-caption';
      caption.style.cssText = 'height:' + QZ370Page.CAPTION + 'px;background:#000080;color:#fff;' +
          'font:bold 12px sans-serif;line-height:' + QZ370Page.CAPTION + 'px;padding-left:3px;' +
          'white-space:nowrap;overflow:hidden;position:relative;user-select:none;';
      var title = document.createElement('span');
      var close = document.createElement('button');
      close.textContent = '\u00d7';
      close.title = 'Close';
      close.style.cssText = 'position:absolute;right:2px;top:2px;width:16px;height:14px;padding:0;' +
          'font:bold 11px sans-serif;line-height:10px;background:#c0c0c0;border:2px outset #dfdfdf;';
      close.addEventListener('click', function() { QZ370Page.queue([6, id]); });
      caption.appendChild(title);
      caption.appendChild(close);
      var bar = document.createElement('canvas');
      bar.className = 'qz370-menu-bar';
      bar.style.display = 'block';
      var client = document.createElement('canvas');
      client.style.display = 'block';
      var popup = document.createElement('canvas');
      popup.className = 'qz370-popup';
      popup.style.cssText = 'position:absolute;display:none;';
      element.appendChild(caption);
      element.appendChild(bar);
      element.appendChild(client);
      element.appendChild(popup);
      // Pointer input in client pixels, whichever part of the window it is over.
      var pointer = function(kind, part, event) {
        QZ370Page.queue([kind, id, event.offsetX + part.offsetLeft - client.offsetLeft,
                         event.offsetY + part.offsetTop - client.offsetTop, event.button]);
      };
      var button = function(kind, part) {
        part.addEventListener(kind === 2 ? 'mouseup' : 'mousedown', function(event) {
          event.preventDefault();
          if (event.button === 0 || event.button === 2) pointer(kind, part, event);
        });
      };
      button(3, bar);
      button(1, client);
      button(2, client);
      button(1, popup);
      button(2, popup);
      [bar, client, popup].forEach(function(part) {
        part.addEventListener('mousemove', function(event) {
          if (popup.style.display === 'block') pointer(7, part, event);
        });
      });
      client.addEventListener('contextmenu', function(event) { event.preventDefault(); });
      QZ370Page.desktop().appendChild(element);
      found = {element: element, title: title, bar: bar, client: client, popup: popup};
      QZ370Page.windows[id] = found;
      return found;
    },

    // 0x00RRGGBB words, as the window system keeps them, to RGBA bytes.
    imageOf: function(pointer, stride, width, height) {
      var image = new ImageData(width, height);
      var out = new Uint32Array(image.data.buffer);
      var words = HEAPU32;
      var from = pointer >> 2;
      for (var row = 0; row < height; ++row) {
        var at = from + row * stride, to = row * width;
        for (var column = 0; column < width; ++column) {
          var word = words[at + column];
          out[to + column] = 0xFF000000 | ((word & 0xFF) << 16) | (word & 0xFF00) | ((word >> 16) & 0xFF);
        }
      }
      return image;
    }
  },

  qz370_page_present__deps: ['$QZ370Page'],
  qz370_page_present: function() {
    return typeof document !== 'undefined' ? 1 : 0;
  },

  qz370_page_screen_size__deps: ['$QZ370Page'],
  qz370_page_screen_size: function(width, height) {
    HEAP32[width >> 2] = Math.max(800, window.innerWidth || 0);
    HEAP32[height >> 2] = Math.max(600, window.innerHeight || 0);
  },

  qz370_page_show_window__deps: ['$QZ370Page'],
  qz370_page_show_window: function(id, className, title, left, top, frameWidth, frameHeight, clientWidth,
                                    clientHeight, barHeight, visible) {
    QZ370Page.listen();
    var shown = QZ370Page.element(id);
    shown.element.dataset.window = String(id);
    shown.client.dataset.class = UTF8ToString(className);
    shown.title.textContent = UTF8ToString(title);
    shown.element.style.left = left + 'px';
    shown.element.style.top = top + 'px';
    shown.element.style.width = frameWidth + 'px';
    shown.element.style.height = frameHeight + 'px';
    shown.element.style.display = visible ? 'block' : 'none';
    if (shown.client.width !== clientWidth) shown.client.width = clientWidth;
    if (shown.client.height !== clientHeight) shown.client.height = clientHeight;
    shown.bar.style.display = barHeight > 0 ? 'block' : 'none';
  },

  qz370_page_remove_window__deps: ['$QZ370Page'],
  qz370_page_remove_window: function(id) {
    var shown = QZ370Page.windows[id];
    if (!shown) return;
    delete QZ370Page.windows[id];
    if (QZ370Page.destroyed.length === 0) {
      __ATEXIT__.push(function() {
        QZ370Page.destroyed.forEach(function(element) { element.style.display = 'block'; });
      });
    }
    shown.element.style.display = 'none';
    QZ370Page.destroyed.push(shown.element);
  },

  qz370_page_show_client__deps: ['$QZ370Page'],
  qz370_page_show_client: function(id, rows, stride, left, top, width, height) {
    var shown = QZ370Page.windows[id];
    if (!shown) return;
    shown.client.getContext('2d').putImageData(QZ370Page.imageOf(rows, stride, width, height), left, top);
  },

  qz370_page_show_menu_bar__deps: ['$QZ370Page'],
  qz370_page_show_menu_bar: function(id, pixels, width, height) {
    var shown = QZ370Page.windows[id];
    if (!shown) return;
    if (shown.bar.width !== width) shown.bar.width = width;
    if (shown.bar.height !== height) shown.bar.height = height;
    shown.bar.getContext('2d').putImageData(QZ370Page.imageOf(pixels, width, width, height), 0, 0);
  },

  qz370_page_show_popup__deps: ['$QZ370Page'],
  qz370_page_show_popup: function(id, pixels, width, height, left, top) {
    var shown = QZ370Page.windows[id];
    if (!shown) return;
    if (width === 0) {
      shown.popup.style.display = 'none';
      return;
    }
    shown.popup.width = width;
    shown.popup.height = height;
    shown.popup.style.left = (shown.client.offsetLeft + left) + 'px';
    shown.popup.style.top = (shown.client.offsetTop + top) + 'px';
    shown.popup.style.display = 'block';
    shown.popup.getContext('2d').putImageData(QZ370Page.imageOf(pixels, width, width, height), 0, 0);
  },

  qz370_page_now_ms: function() {
    return performance.now();
  },

  qz370_page_wait__deps: ['$QZ370Page'],
  qz370_page_wait: function(timeout) {
    QZ370Page.destroyed.forEach(function(element) { element.remove(); });
    QZ370Page.destroyed = [];
    return Asyncify.handleSleep(function(wakeUp) {
      if (QZ370Page.input.length > 0) {
        wakeUp();
        return;
      }
      var timer = null;
      var done = function() {
        if (timer !== null) clearTimeout(timer);
        QZ370Page.wake = null;
        wakeUp();
      };
      QZ370Page.wake = done;
      if (timeout >= 0) timer = setTimeout(done, timeout);
    });
  },

  qz370_page_debug_output: function(text) {
    console.debug(UTF8ToString(text).replace(/\n$/, ''));
  },

  qz370_page_next_input__deps: ['$QZ370Page'],
  qz370_page_next_input: function(fields) {
    var next = QZ370Page.input.shift();
    if (!next) return 0;
    for (var i = 0; i < 6; ++i) HEAP32[(fields >> 2) + i] = next[i];
    return 1;
  }
});
