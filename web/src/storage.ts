// Keeps the page's inputs in the browser's IndexedDB so that a reload loses nothing. Where the
// browser gives a page opened from a file no storage (a unique origin), they are kept for this
// session only, and the page says so. Nothing leaves the machine either way.

const kDatabase = "vorn";
const kStore = "inputs";

export class InputStore {
  private db: IDBDatabase | null = null;

  // True when the inputs outlive the page; false: for this session only.
  async open(): Promise<boolean> {
    try {
      if (typeof indexedDB === "undefined") return false;
      this.db = await new Promise<IDBDatabase>((resolve, reject) => {
        const request = indexedDB.open(kDatabase, 1);
        request.onupgradeneeded = () => request.result.createObjectStore(kStore);
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
      });
      return true;
    } catch {
      this.db = null;
      return false;
    }
  }

  async load<T>(key: string): Promise<T | undefined> {
    if (!this.db) return undefined;
    const store = this.db.transaction(kStore, "readonly").objectStore(kStore);
    return new Promise<T | undefined>((resolve) => {
      const request = store.get(key);
      request.onsuccess = () => resolve(request.result as T | undefined);
      request.onerror = () => resolve(undefined);
    });
  }

  async save(key: string, value: unknown): Promise<void> {
    if (!this.db) return;
    const transaction = this.db.transaction(kStore, "readwrite");
    transaction.objectStore(kStore).put(value, key);
    await new Promise<void>((resolve) => {
      transaction.oncomplete = () => resolve();
      transaction.onerror = () => resolve();
    });
  }
}
